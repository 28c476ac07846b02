// Install: runs one installation from start to end on the worker thread: environment, control file,
// a JVM found or installed, security files, the wizard (or the browser), the failure report and the
// cleanup.
#pragma once

#include "control/controlfile.h"
#include "installer/wizardrules.h"
#include "jvm/jvmrequest.h"
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

    // The search for an installed JVM ("searchForJvm" may switch it off); fills the launcher path, and
    // on success writes "native.properties".
    bool isJvmInstalled(const JvmRequest& request);

    // Installs the package's JVM; on false errorMessage and errorDetail say why.
    bool installTheJvm(const JvmRequest& request);
    bool _installTheJvm(const JvmRequest& request);

    // Installs the security files; always true, whatever they gave.
    bool addSecurity(const char* systemSecurityPolicyFilename, const char* userSecurityPolicyFilename,
                     const char* keystoreFilename, bool isPlugin);

    // Whether the registry is to be configured for the JVM ("configureWinRegistry").
    bool configureWinReg();

    // Writes "native.properties", the JVM location record for the wizard.
    void logJvmLocation(bool installed, const char* javaHomeDir, const char* predefinedJvmInstallDir,
                        bool configureRegistry);

    // The home folder of the launcher jvmPath, into out (pathSize bytes).
    void getJavaHomeDir(const char* jvmPath, char* out);

    // The wizard launch (command.classPath is the package's "loaderClasspath"), the browser launch and
    // the cleanup.
    bool runJavaInstaller(const WizardCommand& command);
    bool launchApplet(const char* appletUrl);
    void cleanUp(bool success);

    // The steps of the wizard launch: the vector built from a composed class path, and the JVM started
    // and waited for.
    bool runInstaller(const WizardCommand& command);
    bool _runInstaller(const char* jvmPath, const std::vector<std::string>& arguments);
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
    const char* getJvmPath() const { return jvm.launcherPath; }
    const char* getJavaHomeDirValue() const { return javaHomeDir; }
    const char* getHomeDirectoryValue() const { return homeDirectory; }
    bool isWinNTFamily() const { return winNTFamily; }

private:
    // Logs the report and shows it, unless the step that failed has shown its own box already: the user
    // sees one box per run.
    bool failureReport(bool showBox = true);
    bool succeeded();
    void deleteStatusMarker();
    // The wizard's command for this run: the found or installed JVM and the control file's values.
    WizardCommand wizardCommand(const char* wizardArgument) const;

    ControlValues values; // the control file's values

    // State of the run.
    FoundJvm jvm;
    char javaHomeDir[pathSize];
    char errorMessage[valueSize];
    char errorDetail[valueSize];
    char homeDirectory[pathSize];
    bool winNTFamily;
    bool quiet;
    bool silent;
};
