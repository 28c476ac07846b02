#include "jvm/launchtext.h"

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
