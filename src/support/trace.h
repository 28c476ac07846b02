// The logging base of every worker class: log lines always, trace lines only into files that exist,
// so that a trace file is its own on/off switch.
#pragma once

#include "support/log.h"
#include "support/statuswin.h"

class Trace : public Log, public Status {
public:
    // Written only when file exists.
    void traceMessage(const char* file, const char* message);
    void traceMessage(const char* file, const char* label, bool value);
    void traceMessage(const char* file, const char* first, const char* second);

    // Always written to logFile (created when needed), then traced to traceFile.
    void logAndTraceMessage(const char* logFile, const char* traceFile, const char* message);
    void logAndTraceMessage(const char* logFile, const char* traceFile, const char* label, bool value);
    void logAndTraceMessage(const char* logFile, const char* traceFile, const char* first, const char* second);
};
