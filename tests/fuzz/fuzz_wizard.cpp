// The wizard's command: the class path stays within its bound and reaches the JVM as one argument after
// its switch, and the traced argument text splits back into the vector.
#include "fuzz.h"
#include "installer/wizardrules.h"
#include "support/clib.h"

namespace {
bool has(const std::string& text, const char* any) { return text.find_first_of(any) != std::string::npos; }
} // namespace

FUZZ_TARGET(7)
{
    const std::vector<CText>& l = lines;
    const std::size_t size = bytes.size();
    const std::string loader = l[3].data(), swing = l[6].data();
    ClassPath classPath = composeClassPath(l[3].data(), swing, size & 4, size & 8);
    FUZZ_CHECK(classPath.text.size() <= loader.size() + 999);
    WizardCommand command{l[0].data(), l[1].data(), l[2].data(), classPath.text.c_str(), l[4].data(), l[5].data(),
                          (size & 1) != 0, (size & 2) != 0};
    std::vector<std::string> arguments = wizardArguments(command);
    FUZZ_CHECK(arguments[0] == fileNamePart(l[0].data()));
    // Joined with blanks as the process start joins them, the JVM finds the class path whole after its switch.
    const std::string classSwitch = l[2].data(), front = std::string(l[0].data()) + l[1].data() + loader + swing;
    if (!classSwitch.empty() && !has(classSwitch, " \"") && !has(front, "\"") && !classPath.text.empty()) {
        std::vector<std::string> words = runtimeWords(joined(arguments));
        std::string unquoted = classPath.text;
        unquoted.erase(std::remove(unquoted.begin(), unquoted.end(), '"'), unquoted.end());
        bool found = false;
        for (std::size_t i = 0; i + 1 < words.size() && !found; ++i)
            found = words[i] == classSwitch && words[i + 1] == unquoted;
        FUZZ_CHECK(found);
    }
    // The traced texts stay in their buffers; the argument text splits back into the vector when it fits.
    std::string text = argumentText(arguments);
    FUZZ_CHECK(text.size() < commandTextSize && commandText(l[0].data(), text).size() < commandTextSize);
    bool plain = std::all_of(arguments.begin(), arguments.end(),
                             [](const std::string& a) { return !a.empty() && !has(a, "\""); });
    if (plain && joined(arguments).size() + 2 * arguments.size() < commandTextSize - 1)
        FUZZ_CHECK(runtimeWords(text) == arguments);
}
