// The command runner: the quoted command fits its buffer and still names the file to start as its first
// word, every argument word gets a place in the vector and joins back into the arguments, and the launch
// batch file holds exactly its three lines.
#include "exec/commandrules.h"
#include "fuzz.h"
#include "support/spawnargs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<CText> lines = fuzzLines(data, size, 2);
    const std::string command = lines[0].data();
    const char* arguments = size % 2 ? lines[1].data() : nullptr;

    std::string formatted = formattedCommand(lines[0].data());
    FUZZ_CHECK(formatted.size() < command.size() + 10);
    if (command[0] != '"') FUZZ_CHECK(programPath(formatted.c_str()) == command);
    if (!command.empty() && command.find('"') == std::string::npos)
        FUZZ_CHECK(runtimeWords(formatted) == std::vector<std::string>{command});

    std::vector<std::string> words = blankSeparatedWords(arguments);
    FUZZ_CHECK(argumentCount(arguments) == static_cast<int>(words.size()) + 1);
    FUZZ_CHECK(joined(words) == (arguments ? arguments : ""));
    FUZZ_CHECK(launchBatchText(formatted.c_str(), arguments) ==
               "@echo off\n" + formatted + (arguments ? " " + joined(words) : "") + "\ndel __qivwait.sem\n");
    return 0;
}
