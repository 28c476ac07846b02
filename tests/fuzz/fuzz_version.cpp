// Feeds arbitrary texts to the version rules and checks what must always hold of them.
#include "fuzz.h"
#include "jvm/versionrules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Four texts on lines of their own: required, minimum, maximum and found version.
    std::vector<CText> parts = fuzzLines(data, size, 4);
    const std::string required = parts[0].data(), found = parts[3].data();
    const std::string input = cText(std::string(reinterpret_cast<const char*>(data), size)).data();
    const char* foundText = parts[3].data();

    bool accepted = acceptVersion({parts[0].data(), parts[1].data(), parts[2].data()}, foundText);
    // A version always satisfies the bound that it begins with ...
    if (!required.empty() && found.size() < versionWorkSize && found.compare(0, required.size(), required) == 0)
        FUZZ_CHECK(accepted);
    // ... and lies between itself and itself.
    if (found.size() < versionWorkSize) FUZZ_CHECK(acceptVersion({"", foundText, foundText}, foundText));

    CText line = cText(input);
    extractVersion(line.data());
    std::string extracted = line.data();
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    FUZZ_CHECK(extracted.empty() || (isDigit(extracted.front()) && isDigit(extracted.back())));
    FUZZ_CHECK(extracted.size() <= input.size());

    char family[100], micro[100];
    parseVersion(foundText, family, sizeof family, micro, sizeof micro);
    FUZZ_CHECK(strnlen(family, sizeof family) < sizeof family && strnlen(micro, sizeof micro) < sizeof micro);
    return 0;
}
