#include "installer/installer.h"

#include "control/getparam.h"
#include "control/registryswitch.h"
#include "installer/markers.h"
#include "jvm/findjvm.h"
#include "jvm/installjvm.h"
#include "security/security.h"
#include "support/clib.h"
#include "support/fsys.h"
#include "support/textbuf.h"
#include "support/textfile.h"

#include <cstring>

const char* const diskSpaceText =
    "Are the destination or temporary directories out of disk space?\r\r    See errors.log for other possible "
    "causes.";
const char* const otherCausesText =
    "Other possible causes for errors:\n    * Read/write access rights to the 'temp' and installation "
    "directories?\n    * OS need to be patched to run Java apps?\n    * Anti-virus software installed that "
    "won't permit unknonwn executable or JAR files to run?";
const char* const wizardNotStartedText =
    "Unable to start the install wizard.\r\rIs there a \"java\" command in the path that doesn't start the "
    "JRE?\r\rIf there is, remove it and try the installer again.";

namespace {
const char* const errorsLog = "errors.log";
const char* const traceLog = "jinstall.log";
const char* const locationFile = "native.properties";
} // namespace

Install::Install()
    : jvmRequiredVersion(), jvmMinVersion(), jvmMaxVersion(), jvmVersion(), jvmName(), jvmCommandName(),
      jvmSelfExtractor(), predefinedJvmInstallDir(), jvmHomeDir(), jvmExtraParameters(), loaderClasspath(),
      jvmClasspathSwitch(), loaderJavaCommand(), systemSecurityPolicyFilename(), userSecurityPolicyFilename(),
      keystoreFilename(), appletUrl(), startGuiCommand(), checkGuiRunningCommand(), searchForJvm(), jvmPath(),
      javaHomeDir(), controlFileName(), errorMessage(), errorDetail(), homeDirectory(), winNTFamily(false),
      quiet(false), silent(false)
{
}

Install::~Install() = default;

bool Install::install(bool quietSwitch, bool silentSwitch, char* wizardArgument)
{
    traceMessage(traceLog, "");
    traceMessage(traceLog, "Preparing Java install wizard");
    quiet = quietSwitch;
    silent = silentSwitch;
    getEnvironmentSetup();
    errorMessage[0] = '\0';
    errorDetail[0] = '\0';

    bool read = getParams();
    bool isPlugin = equalsNoCase(jvmName, "Java Plug-in");
    if (!read) {
        logAndTraceMessage(errorsLog, traceLog, "unable to get parameters");
        return failureReport();
    }

    bool installedHere = false;
    if (!isJvmInstalled(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmName, jvmCommandName, jvmPath,
                        searchForJvm)) {
        if (!installTheJvm(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmVersion, jvmName, jvmCommandName,
                           jvmSelfExtractor, predefinedJvmInstallDir, jvmHomeDir, jvmPath))
            return failureReport();
        installedHere = true;
    }

    addSecurity(systemSecurityPolicyFilename, userSecurityPolicyFilename, keystoreFilename, isPlugin);

    bool launched = isPlugin ? launchApplet(appletUrl)
                             : runJavaInstaller(jvmPath, jvmExtraParameters, jvmClasspathSwitch, loaderClasspath,
                                                loaderJavaCommand, startGuiCommand, checkGuiRunningCommand,
                                                wizardArgument, quiet, silent);
    if (launched) return succeeded();

    // A JVM that was found may be what failed the wizard: the package's own JVM gets one more try.
    if (!installedHere &&
        installTheJvm(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmVersion, jvmName, jvmCommandName,
                      jvmSelfExtractor, predefinedJvmInstallDir, jvmHomeDir, jvmPath) &&
        runJavaInstaller(jvmPath, jvmExtraParameters, jvmClasspathSwitch, loaderClasspath, loaderJavaCommand,
                         startGuiCommand, checkGuiRunningCommand, wizardArgument, quiet, silent))
        return succeeded();

    copyText(errorMessage, sizeof errorMessage, wizardNotStartedText);
    formatText(errorDetail, sizeof errorDetail, "%s\n%s", otherCausesText, diskSpaceText);
    return failureReport();
}

bool Install::succeeded()
{
    cleanUp(true);
    deleteStatusMarker();
    return true;
}

bool Install::failureReport()
{
    if (!errorMessage[0]) formatText(errorMessage, sizeof errorMessage, "Unable to install application.\r\r%s", diskSpaceText);
    if (!errorDetail[0]) copyText(errorDetail, sizeof errorDetail, otherCausesText);
    logAndTraceMessage(errorsLog, traceLog, errorMessage);
    logAndTraceMessage(errorsLog, traceLog, errorDetail);
    showError(hDlgMain.load(), errorMessage);
    cleanUp(false);
    deleteStatusMarker();
    return false;
}

void Install::deleteStatusMarker()
{
    if (showDialogFilename[0]) removeFile(showDialogFilename);
}

bool Install::getParams()
{
    GetParameters reader;
    reader.setHwnd(hDlgMain.load());
    return reader.getParameters(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmVersion, jvmName,
                                jvmCommandName, jvmSelfExtractor, predefinedJvmInstallDir, jvmHomeDir,
                                jvmExtraParameters, jvmClasspathSwitch, loaderClasspath, loaderJavaCommand,
                                systemSecurityPolicyFilename, userSecurityPolicyFilename, keystoreFilename,
                                appletUrl, startGuiCommand, checkGuiRunningCommand, searchForJvm, controlFileName);
}

bool Install::isJvmInstalled(char* requiredVersion, char* minVersion, char* maxVersion, char* name,
                             char* commandName, char* path, char* search)
{
    if (search[0] && (equalsNoCase(search, "no") || equalsNoCase(search, "none"))) {
        traceMessage(traceLog, "Search for JVM:", search);
        return false;
    }
    FindJvm finder;
    finder.setHwnd(hDlgMain.load());
    if (!finder.isJvmInstalled(requiredVersion, minVersion, maxVersion, name, commandName, path)) {
        traceMessage(traceLog, "Correct version of JVM was not found in common locations");
        return false;
    }
    traceMessage(traceLog, "Found correct version of JVM:", path);
    getJavaHomeDir(path, javaHomeDir);
    logJvmLocation(false, javaHomeDir, "", configureWinReg());
    return true;
}

void Install::getJavaHomeDir(const char* path, char* out)
{
    char copy[5001];
    copyText(copy, sizeof copy, path);
    getJavaHomeDirectory(copy, out);
    traceMessage(traceLog, "jvm home dir", out);
}

bool Install::installTheJvm(char* requiredVersion, char* minVersion, char* maxVersion, char* version, char* name,
                            char* commandName, char* selfExtractor, char* installDir, char* homeDir, char* path)
{
    char versionText[1000];
    if (requiredVersion[0])
        copyText(versionText, sizeof versionText, requiredVersion);
    else if (maxVersion[0])
        formatText(versionText, sizeof versionText, "%s - %s", minVersion, maxVersion);
    else
        formatText(versionText, sizeof versionText, "%s or a later version", minVersion);

    if (!selfExtractor[0]) {
        formatText(errorMessage, sizeof errorMessage, "The correct version of the %s was not found on your system.",
                   name);
        formatText(errorDetail, sizeof errorDetail, "Please install %s %s and then restart this installation program.",
                   name, versionText);
        return false;
    }
    if (!pathExists(selfExtractor) || isDir(selfExtractor)) {
        formatText(errorMessage, sizeof errorMessage, "Unable to find %s %s on your system.", name, versionText);
        copyText(errorDetail, sizeof errorDetail, "Please install the JVM and re-start this installer.");
        return false;
    }

    traceMessage(traceLog, "attempting to install jvm", version);
    bool installed = _installTheJvm(requiredVersion, minVersion, maxVersion, version, name, commandName,
                                    selfExtractor, installDir, homeDir, path);
    if (!installed) {
        formatText(errorMessage, sizeof errorMessage, "Unable to install %s %s. %s", name, version, diskSpaceText);
        copyText(errorDetail, sizeof errorDetail, otherCausesText);
    }
    return installed;
}

bool Install::_installTheJvm(char* requiredVersion, char* minVersion, char* maxVersion, char* version, char* name,
                             char* commandName, char* selfExtractor, char* installDir, char* homeDir, char* path)
{
    InstallJvm installer;
    installer.setHwnd(hDlgMain.load());
    bool configureRegistry = installer.configureWinReg();
    bool installed = installer.installJvm(requiredVersion, minVersion, maxVersion, version, name, commandName,
                                          selfExtractor, installDir, homeDir, path, homeDirectory);
    if (installed) {
        if (installer.jvmInstalled) getJavaHomeDir(path, javaHomeDir);
        logJvmLocation(installer.jvmInstalled != 0, javaHomeDir, installDir, configureRegistry);
    }
    return installed;
}

bool Install::addSecurity(char* systemPolicy, char* userPolicy, char* keystore, bool isPlugin)
{
    Security security;
    security.addSecurity(systemPolicy, userPolicy, keystore, javaHomeDir, homeDirectory, isPlugin);
    return true;
}

bool Install::configureWinReg()
{
    return configureRegistrySwitch(*this);
}

void Install::logJvmLocation(bool installed, const char* home, const char* installDir, bool configureRegistry)
{
    UniqueFile out(locationFile, "wt");
    if (!out) return;
    char slashed[5001];
    copyText(slashed, sizeof slashed, home);
    for (char* p = slashed; *p; ++p)
        if (*p == '\\') *p = '/';
    std::fprintf(out.get(), "%s=%s\n", "nativeJvmHomeDir", slashed);
    std::fprintf(out.get(), installed ? "%s=true\n" : "%s=false\n", "nativeJvmInstalled");
    if (!installed)
        std::fprintf(out.get(), "%s=false\n", "nativeJvmInstalledInTemp");
    else if (installDir[0])
        std::fprintf(out.get(), contains(installDir, "[$AppDir]") ? "%s=true\n" : "%s=false\n",
                     "nativeJvmInstalledInTemp");
    std::fprintf(out.get(), configureRegistry ? "%s=true\n" : "%s=false\n", "configureWinRegistry");
}
