// What the command line asks of the two threads: whether the status windows stay hidden, and the
// wizard's switch and argument. Portable: no windows.h.
#pragma once

#include <string>

// True when a token of the command line that is followed by a space holds "-q" or "-s" anywhere.
// The text after the last space is never tested, so a command line without a space never hides.
bool commandLineHidesWindows(const char* commandLine);

struct WizardSwitches {
    bool quiet = false;  // a token held "-q"
    bool silent = false; // a token held "-s" (and no "-q")
    std::string wizardArgument; // the text that followed the switch, for the wizard
};

// Reads the worker's switches: "-q" or "-s" anywhere in a space-separated token sets quiet or silent;
// the first token after a switch is the wizard's argument, and when it opens a double quote the
// following tokens up to the closing quote belong to it. The last piece (after the last space) is
// never a switch, and is kept with its quotes when it is the whole argument.
WizardSwitches readWizardSwitches(const char* commandLine);
