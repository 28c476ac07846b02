// InstallJvm: installs the package's JVM, by expanding its archive into a chosen folder or by running
// its own installer, then configures and verifies it.
#pragma once

#include "support/trace.h"

#include <windows.h>

class InstallJvm : public Trace {
public:
    InstallJvm();
    ~InstallJvm();

    void setHwnd(HWND window);

    // Whether registry entries are to be written for a JVM installed by this run.
    bool configureWinReg();

    // True when a JVM that meets the version rules is in place: jvmPath (5001 bytes) holds its
    // launcher, and jvmInstalled tells whether this run put it on disk.
    bool installJvm(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmMaxVersion, char* jvmVersion,
                    char* jvmName, char* jvmCommandName, char* jvmSelfExtractor, char* predefinedJvmInstallDir,
                    char* jvmHomeDir, char* jvmPath, const char* homeDirectory);

    unsigned char jvmInstalled;     // 1 when installJvm put a new JVM on disk
    unsigned char foundExistingJvm; // 1 when the chosen folder already held an acceptable JVM

private:
    HWND hwnd;
};
