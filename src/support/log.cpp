#include "support/log.h"

#include "support/fsys.h"
#include "support/limits.h"
#include "support/textfile.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

void Log::logMessage(const char* file, const char* message)
{
    UniqueFile out(file, "a+t");
    if (!out) return;

    // asctime: "Sat Dec 05 12:20:56 2026\n"; copied at once, since its buffer is shared.
    char stamp[messageSize] = "";
    std::time_t now = std::time(nullptr);
    if (const std::tm* local = std::localtime(&now)) {
        if (const char* text = std::asctime(local)) std::snprintf(stamp, sizeof stamp, "%s", text);
    }
    cutAtLineFeed(stamp);

    std::fprintf(out.get(), "%s %s\n", stamp, message);
    out.close();

    if (pathExists("term.log")) {
        std::fprintf(stdout, "%s %s\n", stamp, message);
        std::fflush(stdout);
    }
}

void Log::logMessage(const char* file, const char* label, bool value)
{
    std::string message = label;
    message += value ? ": true" : ": false";
    logMessage(file, message.c_str());
}

void Log::logMessage(const char* file, const char* first, const char* second)
{
    std::string message = first;
    message += ' ';
    message += second;
    logMessage(file, message.c_str());
}

void logSystemChange(const char* text)
{
    UniqueFile out("changes.txt", "at");
    if (!out) return;
    std::fprintf(out.get(), "%s\n", text);
}
