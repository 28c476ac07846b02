// Feeds arbitrary texts to the version rules and checks what must always hold of them.
#include "jvm/versionrules.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Four texts separated by line feeds: required, minimum, maximum and found version.
    std::string input(reinterpret_cast<const char*>(data), size);
    std::string parts[4];
    for (int i = 0, start = 0; i < 4; ++i) {
        size_t end = input.find('\n', static_cast<size_t>(start));
        if (end == std::string::npos) end = input.size();
        if (static_cast<size_t>(start) <= input.size()) parts[i] = input.substr(static_cast<size_t>(start), end - start);
        start = static_cast<int>(end) + 1;
    }
    for (std::string& part : parts) part = part.c_str(); // texts end at their first NUL
    const std::string& required = parts[0];
    const std::string& min = parts[1];
    const std::string& max = parts[2];
    const std::string& found = parts[3];

    bool accepted = acceptVersion({required.c_str(), min.c_str(), max.c_str()}, found.c_str());
    // A version always satisfies the bound that it begins with.
    if (!required.empty() && found.size() < versionWorkSize && found.compare(0, required.size(), required) == 0 &&
        !accepted)
        std::abort();
    // ... and lies between itself and itself.
    if (found.size() < versionWorkSize && !acceptVersion({"", found.c_str(), found.c_str()}, found.c_str())) std::abort();

    std::string line = input;
    line = line.c_str();
    extractVersion(line.data());
    std::string extracted = line.c_str();
    if (!extracted.empty() && (!isDigit(extracted.front()) || !isDigit(extracted.back()))) std::abort();
    if (extracted.size() > input.size()) std::abort();

    char family[100], micro[100];
    parseVersion(found.c_str(), family, sizeof family, micro, sizeof micro);
    if (strnlen(family, sizeof family) >= sizeof family || strnlen(micro, sizeof micro) >= sizeof micro) std::abort();
    return 0;
}
