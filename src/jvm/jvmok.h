// JvmOk: the JVM checker. It judges versions by the version rules and writes the verdicts to the
// trace; the test run of a candidate JVM builds on it.
#pragma once

#include "jvm/jvmrequest.h"
#include "support/trace.h"

#include <windows.h>

class JvmOk : public Trace {
public:
    JvmOk();
    ~JvmOk();

    void setHwnd(HWND window);

    // Judge versions as numbers (acceptNumericVersion) rather than by the classic rules; off by default.
    void judgeNumerically(bool numeric);

    // True when foundVersion is acceptable; traces "found jvm version:" and "       version ok".
    bool verifyVersion(const VersionRules& rules, const char* foundVersion);

    // Extracts the version from line in place (its text from the first to the last digit) and judges it.
    bool testLine(char* line, const VersionRules& rules);

    // Registry form: locates and tests the launcher in javaHome, then judges version, the version the
    // registry states. jvmCommandName (launcherNameSize bytes) holds the accepted launcher name after
    // true and its name on entry after false; jvmPath (pathSize bytes) receives the launcher's path.
    bool jvmCorrectVersion(const VersionRules& rules, const char* version, const char* javaHome,
                           char* jvmCommandName, char* jvmPath);

    // Locating form: true when javaHome or its "bin" folder holds the launcher, or a "java.exe"
    // ("javaw.exe" when "jinstall.sem" exists) in place of a name beginning with "jre", and that JVM
    // passes the test class.
    bool jvmCorrectVersion(const VersionRules& rules, const char* javaHome, char* jvmCommandName, char* jvmPath);

    // Tests the launcher at jvmPath when that file exists.
    bool correctVersion(const VersionRules& rules, const char* jvmPath);

    // Runs the test class with the launcher at jvmPath and judges the version it reports. True at once
    // when the package has no "TestJvm.class".
    bool testVersion(const VersionRules& rules, const char* jvmPath);

    // Reads the first line of resultFile and judges the version in it.
    bool checkVersion(const char* resultFile, const VersionRules& rules);

private:
    HWND hwnd;
    bool numericRules = false;
};
