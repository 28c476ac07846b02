// Security: puts the package's Java security policies and keystore in place, below the JVM's home or
// the user's home (the Windows directory), backing up what is there for a Java Plug-in installation.
#pragma once

#include "support/trace.h"

class Security : public Trace {
public:
    Security();
    ~Security();

    // Installs the files the three control-file values name. With backup, files already at their
    // destination are backed up (".001"), recorded in "changes.txt" and replaced; otherwise they are
    // left as they are. Returns the result of the last file handled (true when none was).
    bool addSecurity(char* systemSecurityPolicyFilename, char* userSecurityPolicyFilename, char* keystoreFilename,
                     char* javaHomeDir, char* homeDirectory, bool backup);

    // Resolves a specification into the file in the package (source) and its destination (5000
    // bytes each), creating the destination's folders. False when it cannot be resolved.
    bool getFilenames(char* specification, char* javaHomeDir, char* homeDirectory, char* source, char* destination);
    // Creates the "/"-separated folders of path below base; on success path (5000 bytes) receives
    // the full folder.
    bool addDirectories(const char* base, char* path);
    bool copySecurityFile(char* source, char* destination, bool backup);
    bool backupFile(const char* path);
    bool addCertificate(char* keystoreFilename, char* javaHomeDir, char* homeDirectory, char* source,
                        char* destination, bool backup);
    // The path named by the JVM's "identity.database=" entry (identityFile, 5000 bytes).
    bool getIdentityIdFilename(char* javaHomeDir, char* identityFile);
    // The keystore's place in the user's profile folder below homeDirectory.
    bool getAlternateDestination(char* keystoreFilename, char* homeDirectory, char* destination);
};
