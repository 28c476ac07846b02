#include "exec/execcmd.h"

#include "exec/commandrules.h"
#include "support/fsys.h"
#include "support/spawnargs.h"
#include "support/textbuf.h"
#include "support/textfile.h"

#include <process.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace {
const char* const waitMarker = "__qivwait.sem";
const char* const launchFile = "__qivlaunch.bat";
} // namespace

ExecCommand::ExecCommand()
{
    copyText(traceFilename, sizeof traceFilename, traceLog);
    copyText(errorsFilename, sizeof errorsFilename, errorsLog);
}

ExecCommand::~ExecCommand() = default;

void ExecCommand::setTraceFilename(const char* name)
{
    if (std::strlen(name) < sizeof traceFilename) copyText(traceFilename, sizeof traceFilename, name);
}

void ExecCommand::setErrorsFilename(const char* name)
{
    if (std::strlen(name) < sizeof errorsFilename) copyText(errorsFilename, sizeof errorsFilename, name);
}

bool ExecCommand::formatCommand(const char* command, char* formatted)
{
    std::string text = formattedCommand(command);
    copyText(formatted, text.size() + 1, text.c_str());
    traceMessage("jdebug.log", "formattedCommand", formatted);
    return true;
}

bool ExecCommand::execCommand(const char* command, const char* arguments)
{
    std::vector<char> formatted(std::strlen(command) + 10);
    formatCommand(command, formatted.data());
    return _execCommand(formatted.data(), arguments);
}

bool ExecCommand::_execCommand(const char* command, const char* arguments)
{
    return invokeWinCommand(command, arguments, argumentCount(arguments));
}

bool ExecCommand::invokeWinCommand(const char* command, const char* arguments, int count)
{
    std::vector<std::string> words = blankSeparatedWords(arguments);
    std::vector<const char*> argv;
    argv.reserve(static_cast<std::size_t>(count) + 1);
    argv.push_back(command);
    for (const std::string& word : words)
        if (argv.size() < static_cast<std::size_t>(count)) argv.push_back(word.c_str());
    argv.push_back(nullptr);

    traceMessage(traceFilename, "about to execute command:", command);
    // The command stays quoted in the vector, where it forms the child's command line; the file to
    // start is named without the quotes.
    std::string program = programPath(command);
    intptr_t result = _spawnv(_P_WAIT, program.c_str(), argv.data());
    if (result == -1) {
        int errorNumber = errno;
        reportExecError(command, -1, errorNumber);
        return false;
    }
    return true;
}

void ExecCommand::reportExecError(const char* command, int result, int errorNumber)
{
    logAndTraceMessage(errorsFilename, traceFilename, "Unable to execute command:", command);
    logAndTraceMessage(errorsFilename, traceFilename, "                   result", std::to_string(result).c_str());
    logAndTraceMessage(errorsFilename, traceFilename, "                    errno",
                       std::to_string(errorNumber).c_str());
}

bool ExecCommand::createLaunchFile(const char* command, const char* arguments)
{
    UniqueFile marker(waitMarker, "wt");
    if (!marker || std::fputs("\n", marker.get()) == EOF || !marker.close()) {
        logAndTraceMessage(errorsFilename, traceFilename, "Unable to create file", waitMarker);
        return false;
    }
    UniqueFile batch(launchFile, "wt");
    bool opened = static_cast<bool>(batch);
    bool written = opened && std::fputs(launchBatchText(command, arguments).c_str(), batch.get()) != EOF;
    if (!batch.close() || !written) {
        if (opened) removeFile(launchFile); // a batch file cut short would run a command cut short
        logAndTraceMessage(errorsFilename, traceFilename, "Unable to create file", launchFile);
        return false;
    }
    return true;
}

bool ExecCommand::execCmdAndWait(const char* command, const char* arguments)
{
    std::vector<char> formatted(std::strlen(command) + 10);
    formatCommand(command, formatted.data());
    if (!createLaunchFile(formatted.data(), arguments)) return false;
    execCommand(launchFile, nullptr);
    removeFile(launchFile);
    return true;
}
