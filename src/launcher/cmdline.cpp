#include "launcher/cmdline.h"

#include <cstring>

bool commandLineHidesWindows(const char* commandLine)
{
    if (!commandLine) return false;
    std::string rest = commandLine;
    std::size_t space;
    while ((space = rest.find(' ')) != std::string::npos) {
        std::string token = rest.substr(0, space);
        if (token.find("-q") != std::string::npos || token.find("-s") != std::string::npos) return true;
        rest.erase(0, space + 1);
    }
    return false;
}

WizardSwitches readWizardSwitches(const char* commandLine)
{
    WizardSwitches result;
    if (!commandLine) return result;
    std::string rest = commandLine;
    if (rest.find(' ') == std::string::npos) return result;

    bool quoteOpen = false;
    std::size_t space;
    while ((space = rest.find(' ')) != std::string::npos) {
        std::string token = rest.substr(0, space);
        rest.erase(0, space + 1);
        if (token.find("-q") != std::string::npos) {
            result.quiet = true;
        } else if (token.find("-s") != std::string::npos) {
            result.silent = true;
        } else if (result.quiet || result.silent) {
            if (result.wizardArgument.empty()) {
                std::size_t quote = token.find('"');
                if (quote != std::string::npos) {
                    token.erase(0, quote + 1);
                    quoteOpen = true;
                    // A quoted argument without a space closes in the same token: the closing quote
                    // is not part of the argument.
                    std::size_t closing = token.find('"');
                    if (closing != std::string::npos) {
                        token.erase(closing);
                        quoteOpen = false;
                    }
                }
                result.wizardArgument = token;
            } else if (quoteOpen) {
                std::size_t quote = token.find('"');
                if (quote != std::string::npos) {
                    token.erase(quote);
                    quoteOpen = false;
                }
                result.wizardArgument += ' ';
                result.wizardArgument += token;
            }
        }
    }

    // The piece after the last space is never a switch.
    if ((result.quiet || result.silent) && !rest.empty()) {
        if (result.wizardArgument.empty()) {
            result.wizardArgument = rest;
        } else if (quoteOpen) {
            std::size_t quote = rest.find('"');
            if (quote != std::string::npos) rest.erase(quote);
            result.wizardArgument += ' ';
            result.wizardArgument += rest;
        }
    }
    return result;
}
