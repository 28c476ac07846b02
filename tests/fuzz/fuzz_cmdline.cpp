// The command line: the main thread and the worker read the same switches, and a path that the
// package's unpacker quoted reaches the wizard as it was written.
#include "fuzz.h"
#include "launcher/cmdline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<CText> lines = fuzzLines(data, size, 2);
    WizardSwitches read = readWizardSwitches(lines[0].data());
    FUZZ_CHECK(commandLineHidesWindows(lines[0].data()) == (read.quiet || read.silent));
    FUZZ_CHECK(read.quiet || read.silent || read.wizardArgument.empty());

    // A path in quotes after the switch comes back without its quotes, unless it is one word at the very
    // end (kept whole, quotes and all). Its words must not look like switches, and it must begin with one.
    const std::string path = lines[1].data();
    bool quotable = !path.empty() && path[0] != ' ' && path.find('"') == std::string::npos &&
                    path.find("-q") == std::string::npos && path.find("-s") == std::string::npos;
    if (quotable) {
        std::string tail = size % 2 || path.find(' ') == std::string::npos ? " more" : "";
        FUZZ_CHECK(readWizardSwitches(("setup.exe -q \"" + path + "\"" + tail).c_str()).wizardArgument == path);
    }
    return 0;
}
