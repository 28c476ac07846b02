// JvmOk: the JVM checker. It judges versions by the version rules and writes the verdicts to the
// trace; the test run of a candidate JVM builds on it.
#pragma once

#include "support/trace.h"

#include <windows.h>

class JvmOk : public Trace {
public:
    JvmOk();
    ~JvmOk();

    void setHwnd(HWND window);

    // True when foundVersion is acceptable; traces "found jvm version:" and "       version ok".
    bool verifyVersion(const char* jvmRequiredVersion, const char* jvmMinVersion, const char* jvmMaxVersion,
                       const char* foundVersion);

    // Extracts the version from line in place (its text from the first to the last digit) and judges it.
    bool testLine(char* line, const char* jvmRequiredVersion, const char* jvmMinVersion, const char* jvmMaxVersion);

private:
    HWND hwnd;
};
