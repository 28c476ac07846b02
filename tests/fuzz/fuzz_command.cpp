// The command line and the command runner. The main thread and the worker read the same switches, and a
// path that the package's unpacker quoted reaches the wizard as it was written. The quoted command still
// names the file to start as its first word, and the argument words join back into the arguments.
#include "exec/commandrules.h"
#include "fuzz.h"
#include "launcher/cmdline.h"
#include "support/spawnargs.h"

FUZZ_TARGET(2)
{
    WizardSwitches read = readWizardSwitches(lines[0].data());
    FUZZ_CHECK(commandLineHidesWindows(lines[0].data()) == (read.quiet || read.silent));
    FUZZ_CHECK(read.quiet || read.silent || read.wizardArgument.empty());
    // A path in quotes after the switch comes back without its quotes, unless it is one word at the very
    // end (kept whole, quotes and all). Its words must not look like switches, and it must begin with one.
    const std::string path = lines[1].data();
    if (!path.empty() && path[0] != ' ' && path.find('"') == std::string::npos &&
        path.find("-q") == std::string::npos && path.find("-s") == std::string::npos) {
        std::string tail = bytes.size() % 2 || path.find(' ') == std::string::npos ? " more" : "";
        FUZZ_CHECK(readWizardSwitches(("setup.exe -q \"" + path + "\"" + tail).c_str()).wizardArgument == path);
    }

    const std::string command = lines[0].data();
    std::string formatted = formattedCommand(lines[0].data());
    if (command[0] != '"') FUZZ_CHECK(programPath(formatted.c_str()) == command);
    if (!command.empty() && command.find('"') == std::string::npos)
        FUZZ_CHECK(runtimeWords(formatted) == std::vector<std::string>{command});
    const char* arguments = bytes.size() % 2 ? lines[1].data() : nullptr;
    FUZZ_CHECK(joined(blankSeparatedWords(arguments)) == (arguments ? arguments : ""));
}
