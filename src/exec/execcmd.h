// ExecCommand: starts one external program, waits for it to end, and logs a failure to start it.
#pragma once

#include "support/limits.h"
#include "support/trace.h"

class ExecCommand : public Trace {
public:
    ExecCommand();
    ~ExecCommand();

    // The files that receive this object's trace and failure lines (full paths when the caller
    // changes the current folder). A name longer than pathLimit characters is refused; the old one stays.
    void setTraceFilename(const char* name);
    void setErrorsFilename(const char* name);

    // Formats command, runs it with the blank-separated arguments (may be null) and waits. True when
    // the program could be started; its exit code is not looked at.
    bool execCommand(const char* command, const char* arguments);

    // Runs command through "__qivlaunch.bat", with "__qivwait.sem" existing while it runs. True when
    // the batch file could be written.
    bool execCmdAndWait(const char* command, const char* arguments);

    // formatted receives command, between double quotes when it holds a blank and does not begin
    // with a quote; it needs room for the command's length plus 10 bytes.
    bool formatCommand(const char* command, char* formatted);
    bool _execCommand(const char* command, const char* arguments);
    bool invokeWinCommand(const char* command, const char* arguments, int count);
    bool createLaunchFile(const char* command, const char* arguments);
    void reportExecError(const char* command, int result, int errorNumber);

    const char* getTraceFilename() const { return traceFilename; }
    const char* getErrorsFilename() const { return errorsFilename; }

private:
    char traceFilename[pathSize];
    char errorsFilename[pathSize];
};
