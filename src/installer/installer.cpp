#include "installer/installer.h"

#include "control/getparam.h"
#include "control/registryswitch.h"
#include "control/singlekey.h"
#include "jvm/findjvm.h"
#include "jvm/installjvm.h"
#include "security/security.h"
#include "support/clib.h"
#include "support/fsys.h"
#include "support/markers.h"
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
const char* const locationFile = "native.properties";
} // namespace

Install::Install()
    : javaHomeDir(), errorMessage(), errorDetail(), homeDirectory(), winNTFamily(false), quiet(false), silent(false)
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
    bool isPlugin = equalsNoCase(values.jvmName, "Java Plug-in");
    if (!read) {
        logAndTraceMessage(errorsLog, traceLog, "unable to get parameters");
        return failureReport(false);
    }

    JvmRequest request = jvmRequestOf(values);
    jvm.installedHere = false;
    if (!isJvmInstalled(request)) {
        if (!installTheJvm(request)) return failureReport();
        jvm.installedHere = true;
    }

    addSecurity(values.systemSecurityPolicyFilename, values.userSecurityPolicyFilename, values.keystoreFilename,
                isPlugin);

    bool launched = isPlugin ? launchApplet(values.appletUrl) : runJavaInstaller(wizardCommand(wizardArgument));
    if (launched) return succeeded();

    // A JVM that was found may be what failed the wizard: the package's own JVM gets one more try.
    if (!jvm.installedHere && installTheJvm(request) && runJavaInstaller(wizardCommand(wizardArgument)))
        return succeeded();

    copyText(errorMessage, sizeof errorMessage, wizardNotStartedText);
    formatText(errorDetail, sizeof errorDetail, "%s\n%s", otherCausesText, diskSpaceText);
    return failureReport();
}

WizardCommand Install::wizardCommand(const char* wizardArgument) const
{
    return {jvm.launcherPath,        values.jvmExtraParameters, values.jvmClasspathSwitch, values.loaderClasspath,
            values.loaderJavaCommand, wizardArgument,            quiet,                     silent};
}

bool Install::succeeded()
{
    cleanUp(true);
    deleteStatusMarker();
    return true;
}

bool Install::failureReport(bool showBox)
{
    if (!errorMessage[0]) formatText(errorMessage, sizeof errorMessage, "Unable to install application.\r\r%s", diskSpaceText);
    if (!errorDetail[0]) copyText(errorDetail, sizeof errorDetail, otherCausesText);
    logAndTraceMessage(errorsLog, traceLog, errorMessage);
    logAndTraceMessage(errorsLog, traceLog, errorDetail);
    if (showBox) showError(hDlgMain.load(), errorMessage);
    cleanUp(false);
    deleteStatusMarker();
    return false;
}

void Install::deleteStatusMarker()
{
    dropMarker(showDialogFilename);
}

bool Install::getParams()
{
    GetParameters reader;
    reader.setHwnd(hDlgMain.load());
    return reader.getParameters(values);
}

bool Install::isJvmInstalled(const JvmRequest& request)
{
    const char* search = values.searchForJvm;
    if (search[0] && (equalsNoCase(search, "no") || equalsNoCase(search, "none"))) {
        traceMessage(traceLog, "Search for JVM:", search);
        return false;
    }
    FindJvm finder;
    finder.setHwnd(hDlgMain.load());
    if (!finder.isJvmInstalled(request, jvm.launcherPath)) {
        traceMessage(traceLog, "Correct version of JVM was not found in common locations");
        if (!isAffirmative(values.extendedJvmSearch) || !finder.searchExtended(request, jvm.launcherPath)) return false;
    }
    traceMessage(traceLog, "Found correct version of JVM:", jvm.launcherPath);
    getJavaHomeDir(jvm.launcherPath, javaHomeDir);
    logJvmLocation(false, javaHomeDir, "", configureWinReg());
    return true;
}

void Install::getJavaHomeDir(const char* path, char* out)
{
    char copy[pathSize];
    copyText(copy, sizeof copy, path);
    getJavaHomeDirectory(copy, out);
    traceMessage(traceLog, "jvm home dir", out);
}

bool Install::installTheJvm(const JvmRequest& request)
{
    const VersionRules& rules = request.rules;
    char versionText[messageSize];
    if (rules.required[0])
        copyText(versionText, sizeof versionText, rules.required);
    else if (rules.max[0])
        formatText(versionText, sizeof versionText, "%s - %s", rules.min, rules.max);
    else
        formatText(versionText, sizeof versionText, "%s or a later version", rules.min);

    if (!request.selfExtractor[0]) {
        formatText(errorMessage, sizeof errorMessage, "The correct version of the %s was not found on your system.",
                   request.name);
        formatText(errorDetail, sizeof errorDetail, "Please install %s %s and then restart this installation program.",
                   request.name, versionText);
        return false;
    }
    if (!pathExists(request.selfExtractor) || isDir(request.selfExtractor)) {
        formatText(errorMessage, sizeof errorMessage, "Unable to find %s %s on your system.", request.name,
                   versionText);
        copyText(errorDetail, sizeof errorDetail, "Please install the JVM and re-start this installer.");
        return false;
    }

    traceMessage(traceLog, "attempting to install jvm", request.version);
    bool installed = _installTheJvm(request);
    if (!installed) {
        formatText(errorMessage, sizeof errorMessage, "Unable to install %s %s. %s", request.name, request.version,
                   diskSpaceText);
        copyText(errorDetail, sizeof errorDetail, otherCausesText);
    }
    return installed;
}

bool Install::_installTheJvm(const JvmRequest& request)
{
    InstallJvm installer;
    installer.setHwnd(hDlgMain.load());
    bool configureRegistry = installer.configureWinReg();
    bool installed = installer.installJvm(request, homeDirectory, jvm.launcherPath);
    if (installed) {
        if (installer.jvmInstalled) getJavaHomeDir(jvm.launcherPath, javaHomeDir);
        logJvmLocation(installer.jvmInstalled, javaHomeDir, request.predefinedInstallDir, configureRegistry);
    }
    return installed;
}

bool Install::addSecurity(const char* systemPolicy, const char* userPolicy, const char* keystore, bool isPlugin)
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
    char slashed[pathSize];
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
