#include "security/security.h"

Security::Security() = default;

Security::~Security() = default;

// Stand-in until the security files are built: nothing is installed.
bool Security::addSecurity(char*, char*, char*, char*, char*, bool)
{
    return true;
}
