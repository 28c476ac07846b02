#include "support/trace.h"

#include "support/fsys.h"

void Trace::traceMessage(const char* file, const char* message)
{
    if (pathExists(file)) logMessage(file, message);
}

void Trace::traceMessage(const char* file, const char* label, bool value)
{
    if (pathExists(file)) logMessage(file, label, value);
}

void Trace::traceMessage(const char* file, const char* first, const char* second)
{
    if (pathExists(file)) logMessage(file, first, second);
}

void Trace::logAndTraceMessage(const char* logFile, const char* traceFile, const char* message)
{
    logMessage(logFile, message);
    traceMessage(traceFile, message);
}

void Trace::logAndTraceMessage(const char* logFile, const char* traceFile, const char* label, bool value)
{
    logMessage(logFile, label, value);
    traceMessage(traceFile, label, value);
}

void Trace::logAndTraceMessage(const char* logFile, const char* traceFile, const char* first, const char* second)
{
    logMessage(logFile, first, second);
    traceMessage(traceFile, first, second);
}
