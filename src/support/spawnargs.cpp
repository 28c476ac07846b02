#include "support/spawnargs.h"

#include <cstring>

std::string asOneArgument(const char* text)
{
    std::string argument = text;
    if (argument.find(' ') != std::string::npos && argument.find('"') == std::string::npos)
        argument = "\"" + argument + "\"";
    return argument;
}

std::string programPath(const char* command)
{
    std::size_t length = std::strlen(command);
    if (length >= 2 && command[0] == '"' && command[length - 1] == '"') return std::string(command + 1, length - 2);
    return command;
}

std::vector<std::string> blankSeparatedWords(const char* text)
{
    std::vector<std::string> words;
    if (!text) return words;
    const char* start = text;
    for (const char* p = text;; ++p) {
        if (*p == ' ' || *p == '\0') {
            words.emplace_back(start, static_cast<std::size_t>(p - start));
            if (*p == '\0') break;
            start = p + 1;
        }
    }
    return words;
}
