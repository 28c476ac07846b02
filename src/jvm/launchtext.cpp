#include "jvm/launchtext.h"

#include <cstdlib>

const char* launchFailureText(int errorNumber)
{
    switch (errorNumber) {
    case 2:
        return "File or path is not found";
    case 7:
        return "Argument list exceeds 1024 bytes";
    case 8:
        return "Specified file is not executable or has invalid executable-file format";
    case 12:
        return "Not enough memory is available to execute new process";
    case 22:
        return "Mode argument is invalid";
    default:
        return "Unknown error";
    }
}

unsigned testRunLimit(const char* setting, unsigned bound)
{
    char* end = nullptr;
    unsigned long seconds = std::strtoul(setting, &end, 10);
    bool number = *setting >= '0' && *setting <= '9' && *end == '\0';
    return number && seconds >= 1 && seconds <= bound ? static_cast<unsigned>(seconds) : bound;
}
