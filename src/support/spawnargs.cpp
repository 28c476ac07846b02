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
