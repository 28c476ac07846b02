// Security: puts the package's Java security policies and keystore in place, below the JVM's home or
// the user's home (the Windows directory), backing up what is there for a Java Plug-in installation.
#pragma once

#include "support/limits.h"
#include "support/trace.h"

class Security : public Trace {
public:
    Security();
    ~Security();

    // Installs the files the three control-file values name. With backup, files already at their
    // destination are backed up (".001"), recorded in "changes.txt" and replaced; otherwise they are
    // left as they are. Returns the result of the last file handled (true when none was).
    bool addSecurity(const char* systemSecurityPolicyFilename, const char* userSecurityPolicyFilename,
                     const char* keystoreFilename, const char* javaHomeDir, const char* homeDirectory, bool backup);

    // Resolves a specification into the file in the package (source) and its destination (valueSize
    // bytes each), creating the destination's folders. False when it cannot be resolved.
    bool getFilenames(const char* specification, const char* javaHomeDir, const char* homeDirectory, char* source,
                      char* destination);
    // Creates the "/"-separated folders of path below base; on success path (valueSize bytes) receives
    // the full folder.
    bool addDirectories(const char* base, char* path);
    bool copySecurityFile(const char* source, const char* destination, bool backup);
    bool backupFile(const char* path);
    bool addCertificate(const char* keystoreFilename, const char* javaHomeDir, const char* homeDirectory, char* source,
                        char* destination, bool backup);
    // The path named by the JVM's "identity.database=" entry (identityFile, valueSize bytes).
    bool getIdentityIdFilename(const char* javaHomeDir, char* identityFile);
    // The keystore's place in the user's profile folder below homeDirectory.
    bool getAlternateDestination(const char* keystoreFilename, const char* homeDirectory, char* destination);
};
