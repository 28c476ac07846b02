// The Java wizard launch: the class path, the JVM's argument vector, and the run of the wizard, whose
// success shows only in the marker it leaves.
#include "installer/installer.h"

#include "installer/wizardrules.h"
#include "jvm/launchtext.h"
#include "support/fsys.h"
#include "support/markers.h"
#include "support/textbuf.h"

#include <process.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
const char* const wizardMarker = "__qivwizard.sem";
} // namespace

bool Install::runJavaInstaller(const WizardCommand& command)
{
    std::string swingPath = swingArchivePath(pathExists("swingall.jar"), javaHomeDir);
    ClassPath composed =
        composeClassPath(command.classPath, swingPath, pathExists(swingPath.c_str()), swingWanted(command.jvmPath));
    for (const auto& trace : composed.traces) {
        if (trace.second.empty())
            traceMessage(traceLog, trace.first.c_str());
        else
            traceMessage(traceLog, trace.first.c_str(), trace.second.c_str());
    }
    for (const std::string& element : composed.refused)
        logAndTraceMessage(errorsLog, traceLog, "class path too long; left out:", element.c_str());
    WizardCommand withClassPath = command;
    withClassPath.classPath = composed.text.c_str();
    return runInstaller(withClassPath);
}

bool Install::runInstaller(const WizardCommand& command)
{
    // Built from copies: the stored values stay as they are, so that a second launch is the same.
    std::vector<std::string> arguments = wizardArguments(command);
    if (contains(command.classPath, "install.jar") && !pathExists("install.jar")) {
        logAndTraceMessage(errorsLog, traceLog, "install.jar does not exist.");
        return false;
    }
    return _runInstaller(command.jvmPath, arguments);
}

std::string Install::argsString(const std::vector<std::string>& arguments)
{
    return argumentText(arguments);
}

bool Install::_runInstaller(const char* path, const std::vector<std::string>& arguments)
{
    std::string args = argsString(arguments);
    std::string command = commandText(path, args);
    traceMessage(traceLog, "java installer C++ command:", command.c_str());
    traceMessage(traceLog, "java installer launch command:", args.c_str());

    // The wizard sees only the class path of its command line.
    _putenv("CLASSPATH=");
    // The status window goes while the wizard comes up.
    dropMarker(showDialogFilename);

    std::vector<const char*> argv;
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    intptr_t started = _spawnv(_P_WAIT, path, argv.data());
    int errorNumber = errno;
    if (started == -1) {
        std::string failure = std::string("Error running JVM: ") + launchFailureText(errorNumber);
        logAndTraceMessage(errorsLog, traceLog, failure.c_str(), false);
        logAndTraceMessage(errorsLog, traceLog, "Unable to start ", command.c_str());
        return false;
    }

    traceMessage(traceLog, "java wizard execed with no reported errors");
    if (pathExists(wizardMarker)) {
        removeFile(wizardMarker);
        traceMessage(traceLog, "Java wizard launched successfully");
        return true;
    }
    logAndTraceMessage(errorsLog, traceLog, "Java wizard not started properly");
    return false;
}
