// The wizard's command: the class path gives back the package's elements (the Swing rule applied, the
// refused ones named) within its bound, reaches the JVM as one argument after its switch, and the traced
// argument text splits back into the vector.
#include "fuzz.h"
#include "installer/wizardrules.h"
#include "support/clib.h"

#include <sstream>

namespace {
std::vector<std::string> split(const std::string& text)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, ';')) parts.push_back(part);
    return parts;
}

bool has(const std::string& text, const char* any) { return text.find_first_of(any) != std::string::npos; }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<CText> l = fuzzLines(data, size, 7);
    bool quiet = size & 1, silent = size & 2, swingExists = size & 4, swingIsWanted = size & 8;
    std::string loader = l[3].data(), swing = l[6].data();
    std::replace(swing.begin(), swing.end(), ';', '_');

    ClassPath classPath = composeClassPath(l[3].data(), swing, swingExists, swingIsWanted);
    FUZZ_CHECK(classPath.text.size() <= loader.size() + 999);
    // Split at ";" and unquoted, the class path is the loader's elements with the Swing rule applied, in
    // order, but for the refused ones, which are named. Only an empty element may vanish unnamed.
    std::vector<std::string> pieces;
    for (std::string piece : split(classPath.text)) {
        if (has(piece, " ")) {
            FUZZ_CHECK(piece.size() >= 2 && piece.front() == '"' && piece.back() == '"');
            piece = piece.substr(1, piece.size() - 2);
        }
        if (!piece.empty()) pieces.push_back(piece);
    }
    std::size_t kept = 0, refused = 0;
    for (const std::string& element : split(loader)) {
        bool isSwing = element.find("swingall.jar") != std::string::npos;
        if (isSwing && !(swingExists && swingIsWanted)) continue;
        const std::string& out = isSwing ? swing : element;
        // A text that was too long once stays too long: an element equal to the next piece is that piece.
        if (!out.empty() && kept < pieces.size() && pieces[kept] == out)
            ++kept;
        else if (refused < classPath.refused.size() && classPath.refused[refused] == element)
            ++refused;
        else
            FUZZ_CHECK(out.empty());
    }
    FUZZ_CHECK(kept == pieces.size() && refused == classPath.refused.size());

    WizardCommand command{l[0].data(), l[1].data(), l[2].data(), classPath.text.c_str(),
                          l[4].data(), l[5].data(), quiet, silent};
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
    return 0;
}
