// Security: puts the package's Java security policy, keystore and identity files in place.
#pragma once

#include "support/trace.h"

class Security : public Trace {
public:
    Security();
    ~Security();

    // Installs the three files named by the control file below the JVM's home (javaHomeDir) or the
    // user's home (homeDirectory); with backup, files already there are backed up and replaced.
    // Returns the result of the last file handled (true when none was).
    bool addSecurity(char* systemSecurityPolicyFilename, char* userSecurityPolicyFilename, char* keystoreFilename,
                     char* javaHomeDir, char* homeDirectory, bool backup);
};
