#include "control/getparam.h"

#include "control/controlfile.h"
#include "support/fsys.h"
#include "support/textbuf.h"
#include "support/textfile.h"

#include <cstring>
#include <string>

namespace {
const char* const errorsLog = "errors.log";
const char* const traceLog = "jinstall.log";
const char* const convertedCopy = "__qiv.control";
} // namespace

GetParameters::GetParameters() : hwnd(nullptr) {}

GetParameters::~GetParameters() = default;

void GetParameters::setHwnd(HWND window)
{
    hwnd = window;
}

bool GetParameters::getParameters(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmMaxVersion,
                                  char* jvmVersion, char* jvmName, char* jvmCommandName, char* jvmSelfExtractor,
                                  char* predefinedJvmInstallDir, char* jvmHomeDir, char* jvmExtraParameters,
                                  char* jvmClasspathSwitch, char* loaderClasspath, char* loaderJavaCommand,
                                  char* systemSecurityPolicyFilename, char* userSecurityPolicyFilename,
                                  char* keystoreFilename, char* appletUrl, char* startGuiCommand,
                                  char* checkGuiRunningCommand, char* searchForJvm, char* controlFileName)
{
    copyText(controlFileName, 12, "qiv.control");
    if (!convertLineEndings(controlFileName)) return false;
    if (!parseParameters(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmVersion, jvmName, jvmCommandName,
                         jvmSelfExtractor, predefinedJvmInstallDir, jvmHomeDir, jvmExtraParameters,
                         jvmClasspathSwitch, loaderClasspath, loaderJavaCommand, systemSecurityPolicyFilename,
                         userSecurityPolicyFilename, keystoreFilename, appletUrl, startGuiCommand,
                         checkGuiRunningCommand, searchForJvm, controlFileName))
        return false;

    char line[1000];
    validVersionsLine(line, sizeof line, jvmCommandName, jvmRequiredVersion, jvmMinVersion, jvmMaxVersion);
    traceMessage(traceLog, line);
    return true;
}

bool GetParameters::convertLineEndings(const char* fileName)
{
    UniqueFile in(fileName, "rb");
    if (!in) {
        logMessage(errorsLog, "Unable to open qiv.control");
        showError(hwnd, "Unable to open qiv.control");
        return false;
    }
    UniqueFile out(convertedCopy, "wb");
    bool converted = out && convertLineEndingsText(in.get(), out.get(), "\r\n");
    converted = out.close() && converted;
    in.close();

    // Only a complete copy replaces the file, in one step, so that a full disk or a locked file never
    // costs the package its control file.
    if (!converted || !MoveFileExA(convertedCopy, fileName, MOVEFILE_REPLACE_EXISTING)) {
        removeFile(convertedCopy);
        logMessage(errorsLog, "Unable to convert line endings for qiv.control");
        showError(hwnd, "Unable to convert line endings for qiv.control");
        return false;
    }
    return true;
}

bool GetParameters::parseParameters(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmMaxVersion,
                                    char* jvmVersion, char* jvmName, char* jvmCommandName, char* jvmSelfExtractor,
                                    char* predefinedJvmInstallDir, char* jvmHomeDir, char* jvmExtraParameters,
                                    char* jvmClasspathSwitch, char* loaderClasspath, char* loaderJavaCommand,
                                    char* systemSecurityPolicyFilename, char* userSecurityPolicyFilename,
                                    char* keystoreFilename, char* appletUrl, char* startGuiCommand,
                                    char* checkGuiRunningCommand, char* searchForJvm, const char* fileName)
{
    char* const values[controlKeyCount] = {
        jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmVersion, jvmName, jvmCommandName, jvmSelfExtractor,
        predefinedJvmInstallDir, jvmHomeDir, jvmExtraParameters, jvmClasspathSwitch, loaderClasspath,
        loaderJavaCommand, systemSecurityPolicyFilename, userSecurityPolicyFilename, keystoreFilename, appletUrl,
        startGuiCommand, checkGuiRunningCommand, searchForJvm};
    for (char* value : values) value[0] = '\0';

    UniqueFile in(fileName, "rb");
    if (!in) {
        logAndTraceMessage(errorsLog, traceLog, "Unable to open file", fileName);
        showError(hwnd, "Unable to open control file");
        return false;
    }

    ControlParseEvents events;
    events.trace = [this](const char* first, const char* second) { traceMessage(traceLog, first, second); };
    events.valueTooLong = [this](const ControlKey& key, std::size_t length) {
        std::string message = "value too long in qiv.control, line ignored: ";
        message += key.name;
        message += " (" + std::to_string(length) + " characters, at most " + std::to_string(key.size - 1) + ")";
        logAndTraceMessage(errorsLog, traceLog, message.c_str());
    };
    parseControlText(in.get(), values, events);
    in.close();

    return verifyParameters(jvmRequiredVersion, jvmMinVersion, jvmVersion, jvmName, jvmCommandName,
                            loaderClasspath);
}

bool GetParameters::verifyParameters(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmVersion,
                                     char* jvmName, char* jvmCommandName, char* loaderClasspath)
{
    // A trace log that was there before the run (no marker of a log made by this run) asks for the
    // console launcher, so that its output can be seen.
    bool keepConsole = pathExists("jinstall.log") && !pathExists("jinstall.sem");
    verifyControlValues(jvmRequiredVersion, jvmMinVersion, jvmVersion, jvmName, jvmCommandName, loaderClasspath,
                        keepConsole);
    return true;
}

void GetParameters::removeExtraBackSlashes(char* switches)
{
    ::removeExtraBackSlashes(switches, [this](const char* first, const char* second) {
        traceMessage(traceLog, first, second);
    });
}

bool GetParameters::isfilenameChar(char c)
{
    return ::isFilenameChar(c);
}
