// The Java wizard launch.
#include "installer/installer.h"

// Stand-in until the wizard launch is built: the wizard cannot be started.
bool Install::runJavaInstaller(char*, char*, char*, char*, char*, char*, char*, char*, bool, bool)
{
    return false;
}
