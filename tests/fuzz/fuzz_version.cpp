// Feeds arbitrary texts to the version rules and checks what must always hold of them.
#include "jvm/versionrules.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Four texts on lines of their own: required, minimum, maximum and found version; each ends at its
    // first NUL.
    std::string input(reinterpret_cast<const char*>(data), size), parts[4];
    std::istringstream lines(input);
    for (std::string& part : parts) {
        std::getline(lines, part);
        part = part.c_str();
    }
    const std::string &required = parts[0], &min = parts[1], &max = parts[2], &found = parts[3];

    bool accepted = acceptVersion({required.c_str(), min.c_str(), max.c_str()}, found.c_str());
    // A version always satisfies the bound that it begins with.
    if (!required.empty() && found.size() < versionWorkSize && found.compare(0, required.size(), required) == 0 &&
        !accepted)
        std::abort();
    // ... and lies between itself and itself.
    if (found.size() < versionWorkSize && !acceptVersion({"", found.c_str(), found.c_str()}, found.c_str())) std::abort();

    std::string line = input.c_str();
    extractVersion(line.data());
    std::string extracted = line.c_str();
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (!extracted.empty() && (!isDigit(extracted.front()) || !isDigit(extracted.back()))) std::abort();
    if (extracted.size() > input.size()) std::abort();

    char family[100], micro[100];
    parseVersion(found.c_str(), family, sizeof family, micro, sizeof micro);
    if (strnlen(family, sizeof family) >= sizeof family || strnlen(micro, sizeof micro) >= sizeof micro) std::abort();
    return 0;
}
