#include "exec/commandrules.h"

#include <cstring>

std::string formattedCommand(const char* command)
{
    std::string formatted = command;
    if (formatted.find(' ') != std::string::npos && formatted[0] != '"') formatted = "\"" + formatted + "\"";
    return formatted;
}

int argumentCount(const char* arguments)
{
    if (!arguments) return 1;
    int blanks = 0;
    for (const char* p = arguments; *p; ++p)
        if (*p == ' ') ++blanks;
    return blanks + 2;
}

std::string launchBatchText(const char* formatted, const char* arguments)
{
    std::string text = "@echo off\n";
    text += formatted;
    if (arguments) {
        text += ' ';
        text += arguments;
    }
    text += "\ndel __qivwait.sem\n";
    return text;
}
