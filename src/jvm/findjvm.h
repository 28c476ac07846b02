// FindJvm: the search for an installed JVM of an acceptable version.
#pragma once

#include "support/trace.h"

#include <windows.h>

class FindJvm : public Trace {
public:
    FindJvm();
    ~FindJvm();

    void setHwnd(HWND window);

    // True for a JVM whose version was verified: jvmPath (5001 bytes) holds its launcher and
    // jvmCommandName (5001 bytes) the launcher name that was accepted. On false jvmCommandName holds
    // the name it had on entry.
    bool isJvmInstalled(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmMaxVersion, char* jvmName,
                        char* jvmCommandName, char* jvmPath);

private:
    HWND hwnd;
};
