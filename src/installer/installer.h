// Install: runs one installation from start to end on the worker thread: environment, control file,
// a JVM found or installed, security files, the wizard (or the browser), the failure report and the
// cleanup.
#pragma once

#include "support/trace.h"

#include <windows.h>

#include <string>
#include <vector>

// Texts of the failure report.
extern const char* const diskSpaceText;
extern const char* const otherCausesText;
extern const char* const wizardNotStartedText;

class Install : public Trace {
public:
    Install();
    ~Install();
    Install(const Install&) = delete;
    Install& operator=(const Install&) = delete;

    // The whole sequence. True when the wizard (or the browser) was launched and reported success;
    // on false the user has seen one error box. wizardArgument is the text after the switch.
    bool install(bool quiet, bool silent, char* wizardArgument);

    // Reads the control file into the object's fields.
    bool getParams();

    // Creates the run's trace log when there is none, learns the Windows family and the Windows
    // directory. Always true.
    bool getEnvironmentSetup();
    bool getWinEnvironmentSetup();
    // Fills homeDirectory from the registry, the PATH, the fixed folders or the current folder; true
    // when it ends up non-empty.
    bool getHomeDirectory();
    // True when a PATH folder ends with name (lower case); out (5001 bytes) receives it, lower-cased.
    bool isDirInPath(const char* name, char* out);

    // The search for an installed JVM; fills jvmPath, and on success writes "native.properties".
    bool isJvmInstalled(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmMaxVersion, char* jvmName,
                        char* jvmCommandName, char* jvmPath, char* searchForJvm);

    // Installs the package's JVM; on false errorMessage and errorDetail say why.
    bool installTheJvm(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmMaxVersion, char* jvmVersion,
                       char* jvmName, char* jvmCommandName, char* jvmSelfExtractor, char* predefinedJvmInstallDir,
                       char* jvmHomeDir, char* jvmPath);
    bool _installTheJvm(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmMaxVersion, char* jvmVersion,
                        char* jvmName, char* jvmCommandName, char* jvmSelfExtractor, char* predefinedJvmInstallDir,
                        char* jvmHomeDir, char* jvmPath);

    // Installs the security files; always true, whatever they gave.
    bool addSecurity(char* systemSecurityPolicyFilename, char* userSecurityPolicyFilename, char* keystoreFilename,
                     bool isPlugin);

    // Whether the registry is to be configured for the JVM ("configureWinRegistry").
    bool configureWinReg();

    // Writes "native.properties", the JVM location record for the wizard.
    void logJvmLocation(bool installed, const char* javaHomeDir, const char* predefinedJvmInstallDir,
                        bool configureRegistry);

    // The home folder of the launcher jvmPath, into out (5001 bytes).
    void getJavaHomeDir(const char* jvmPath, char* out);

    // The wizard launch, the browser launch and the cleanup.
    bool runJavaInstaller(char* jvmPath, char* jvmExtraParameters, char* jvmClasspathSwitch, char* loaderClasspath,
                          char* loaderJavaCommand, char* startGuiCommand, char* checkGuiRunningCommand,
                          char* wizardArgument, bool quiet, bool silent);
    bool launchApplet(char* appletUrl);
    void cleanUp(bool success);

    // The steps of the wizard launch: the vector built and the JVM started and waited for.
    bool runInstaller(const char* jvmPath, const char* jvmExtraParameters, const char* jvmClasspathSwitch,
                      const char* classPath, const char* loaderJavaCommand, const char* startGuiCommand,
                      const char* checkGuiRunningCommand, const char* wizardArgument, bool quiet, bool silent);
    // The vector's capacity, for loaderJavaCommand and the object's jvmExtraParameters.
    int countParameters(const char* loaderJavaCommand, const char* wizardArgument, bool quiet, bool silent);
    bool _runInstaller(const char* jvmPath, const std::vector<std::string>& arguments, const char* startGuiCommand,
                       const char* checkGuiRunningCommand);
    // The vector as the trace shows it.
    std::string argsString(const std::vector<std::string>& arguments);

    // The steps of the cleanup, in their order.
    void cleanUpManifest(bool success);
    void cleanUpJvmDir();
    void cleanUpErrorsLog();
    void cleanUpLogFiles();
    // Appends every log of the current folder to its namesake in destination.
    void _cleanUpLogFiles(const char* destination);
    // True when no file can be written into directory (an empty name counts as protected).
    bool isDirWriteProtected(const char* directory);
    // Removes directory (a full path) with everything in it; true when all of it could be deleted. A
    // link to a folder is removed itself, never followed.
    bool removeDirAndSubdirs(const char* directory);

    // State of the run, for those who look after it.
    const char* getErrorMessage() const { return errorMessage; }
    const char* getErrorDetail() const { return errorDetail; }
    const char* getJvmPath() const { return jvmPath; }
    const char* getJavaHomeDirValue() const { return javaHomeDir; }
    const char* getHomeDirectoryValue() const { return homeDirectory; }
    bool isWinNTFamily() const { return winNTFamily; }

private:
    bool failureReport();
    bool succeeded();
    void deleteStatusMarker();

    // Control-file values, each named after its key.
    char jvmRequiredVersion[201];
    char jvmMinVersion[201];
    char jvmMaxVersion[201];
    char jvmVersion[201];
    char jvmName[201];
    char jvmCommandName[5001];
    char jvmSelfExtractor[5000];
    char predefinedJvmInstallDir[5000];
    char jvmHomeDir[5001];
    char jvmExtraParameters[5000];
    char loaderClasspath[5000];
    char jvmClasspathSwitch[1000];
    char loaderJavaCommand[5000];
    char systemSecurityPolicyFilename[5001];
    char userSecurityPolicyFilename[5001];
    char keystoreFilename[5001];
    char appletUrl[5000];
    char startGuiCommand[1000];
    char checkGuiRunningCommand[1000];
    char searchForJvm[100];

    // State of the run.
    char jvmPath[5001];
    char javaHomeDir[5001];
    char controlFileName[5001];
    char errorMessage[5000];
    char errorDetail[5000];
    char homeDirectory[5001];
    bool winNTFamily;
    bool quiet;
    bool silent;
};
