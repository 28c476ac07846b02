// GetParameters: normalises, reads and completes the control file "qiv.control".
#pragma once

#include "support/trace.h"

#include <windows.h>

class GetParameters : public Trace {
public:
    GetParameters();
    ~GetParameters();

    void setHwnd(HWND window);

    // Fills the twenty buffers (sizes as the key table gives them) in position order, and
    // controlFileName (at least 12 bytes) with "qiv.control". True when the file was converted and
    // read; on false the user has seen an error box.
    bool getParameters(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmMaxVersion, char* jvmVersion,
                       char* jvmName, char* jvmCommandName, char* jvmSelfExtractor, char* predefinedJvmInstallDir,
                       char* jvmHomeDir, char* jvmExtraParameters, char* jvmClasspathSwitch, char* loaderClasspath,
                       char* loaderJavaCommand, char* systemSecurityPolicyFilename,
                       char* userSecurityPolicyFilename, char* keystoreFilename, char* appletUrl,
                       char* startGuiCommand, char* checkGuiRunningCommand, char* searchForJvm,
                       char* controlFileName);

    // Rewrites the file in place with the platform's line ends and without stray CRs. False (with a
    // log line and an error box) when it cannot be read or rewritten; the file is then unchanged.
    bool convertLineEndings(const char* fileName);

    // Reads the file into the twenty buffers, then completes them with verifyParameters. False only
    // when the file cannot be opened; all values are empty then.
    bool parseParameters(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmMaxVersion, char* jvmVersion,
                         char* jvmName, char* jvmCommandName, char* jvmSelfExtractor, char* predefinedJvmInstallDir,
                         char* jvmHomeDir, char* jvmExtraParameters, char* jvmClasspathSwitch, char* loaderClasspath,
                         char* loaderJavaCommand, char* systemSecurityPolicyFilename,
                         char* userSecurityPolicyFilename, char* keystoreFilename, char* appletUrl,
                         char* startGuiCommand, char* checkGuiRunningCommand, char* searchForJvm,
                         const char* fileName);

    // Fills the defaults and normalises the launcher name in place; always true.
    bool verifyParameters(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmVersion, char* jvmName,
                          char* jvmCommandName, char* loaderClasspath);

    void removeExtraBackSlashes(char* switches);
    bool isfilenameChar(char c);

private:
    HWND hwnd;
};
