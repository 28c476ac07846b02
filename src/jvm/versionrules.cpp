#include "jvm/versionrules.h"

#include "support/textbuf.h"

#include <cstring>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// found cut to the length of bound, as the rule compares them.
int compareCut(const char* found, const char* bound)
{
    char work[versionWorkSize];
    copyText(work, sizeof work, found);
    std::size_t length = std::strlen(bound);
    if (std::strlen(work) > length) work[length] = '\0';
    return compareNoCase(work, bound);
}

} // namespace

bool acceptVersion(const VersionRules& rules, const char* foundVersion)
{
    if (rules.required[0]) return compareCut(foundVersion, rules.required) == 0;
    if (compareCut(foundVersion, rules.min) < 0) return false;
    if (!rules.max[0]) return true;
    return compareCut(foundVersion, rules.max) <= 0;
}

void extractVersion(char* line)
{
    char* first = line;
    while (*first && !isDigit(*first)) ++first;
    std::size_t length = std::strlen(first);
    std::memmove(line, first, length + 1);
    while (length > 0 && !isDigit(line[length - 1])) --length;
    line[length] = '\0';
}

bool parseVersion(const char* version, char* family, std::size_t familySize, char* micro, std::size_t microSize)
{
    bool fits = copyText(family, familySize, version);
    fits = copyText(micro, microSize, "0") && fits;
    int dots = 0;
    for (const char* p = version; *p; ++p)
        if (*p == '.') ++dots;
    if (dots < 2) return fits;
    const char* lastDot = std::strrchr(version, '.');
    std::size_t familyLength = static_cast<std::size_t>(lastDot - version);
    if (familyLength < familySize) family[familyLength] = '\0';
    return copyText(micro, microSize, lastDot + 1) && fits;
}
