// The classic version rules on any texts: a version satisfies a required version it begins with and
// lies between itself and itself, and what is extracted or split stays inside its buffers.
#include "fuzz.h"
#include "jvm/versionrules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Four texts on lines of their own: required, minimum, maximum and found version.
    std::vector<CText> parts = fuzzLines(data, size, 4);
    const std::string required = parts[0].data(), found = parts[3].data();
    bool accepted = acceptVersion({parts[0].data(), parts[1].data(), parts[2].data()}, parts[3].data());
    if (found.size() < versionWorkSize) {
        FUZZ_CHECK(required.empty() || found.compare(0, required.size(), required) != 0 || accepted);
        FUZZ_CHECK(acceptVersion({"", parts[3].data(), parts[3].data()}, parts[3].data()));
    }
    CText line = cText(std::string(reinterpret_cast<const char*>(data), size));
    extractVersion(line.data());
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    FUZZ_CHECK(line[0] == '\0' || (digit(line[0]) && digit(line[std::strlen(line.data()) - 1])));
    char family[100], micro[100];
    parseVersion(parts[3].data(), family, sizeof family, micro, sizeof micro);
    FUZZ_CHECK(strnlen(family, sizeof family) < sizeof family && strnlen(micro, sizeof micro) < sizeof micro);
    return 0;
}
