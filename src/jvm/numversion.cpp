#include "jvm/numversion.h"

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isSeparator(char c)
{
    return c == '.' || c == '_' || c == '+' || c == '-';
}

const char* skipBlanks(const char* text)
{
    while (*text == ' ' || *text == '\t') ++text;
    return text;
}

// A bound of the rules: absent, not a version, or read into its numbers.
enum class Bound { absent, unreadable, set };

Bound readBound(const char* text, NumVersion& out)
{
    if (!*skipBlanks(text)) return Bound::absent;
    return parseNumVersion(text, out) ? Bound::set : Bound::unreadable;
}

// version cut to the bound's number of elements, against the bound.
int compareCut(const NumVersion& version, const NumVersion& bound)
{
    for (int i = 0; i < bound.count; ++i)
        if (version.element[i] != bound.element[i]) return version.element[i] < bound.element[i] ? -1 : 1;
    return 0;
}

} // namespace

bool parseNumVersion(const char* version, NumVersion& out)
{
    out = NumVersion{};
    const char* p = skipBlanks(version);
    if (!isDigit(*p)) return false;
    // Before 9 the feature number came second: "1.8.0_392" is 8.
    if (p[0] == '1' && p[1] == '.' && isDigit(p[2])) p += 2;
    while (out.count < numVersionElements) {
        std::uint32_t value = 0;
        for (; isDigit(*p); ++p) {
            auto digit = static_cast<std::uint32_t>(*p - '0');
            value = value > (numElementLimit - digit) / 10 ? numElementLimit : value * 10 + digit;
        }
        out.element[out.count++] = value;
        if (!isSeparator(*p)) break;
        if (p[0] == '-' && p[1] == 'b' && isDigit(p[2])) {
            p += 2;
            continue;
        }
        if (p[0] == '-' && isLetter(p[1])) {
            out.preRelease = true;
            break;
        }
        if (!isDigit(*++p)) break;
    }
    return true;
}

int compareNumVersions(const NumVersion& a, const NumVersion& b)
{
    // Unread elements are 0 in both records, so comparing them all treats missing ones as 0.
    NumVersion whole = b;
    whole.count = numVersionElements;
    if (int order = compareCut(a, whole)) return order;
    return int(b.preRelease) - int(a.preRelease);
}

bool acceptNumericVersion(const VersionRules& rules, const char* version)
{
    NumVersion required, min, max, found;
    Bound hasRequired = readBound(rules.required, required);
    Bound hasMin = readBound(rules.min, min);
    Bound hasMax = readBound(rules.max, max);
    bool known = parseNumVersion(version, found);
    if (hasRequired != Bound::absent) return hasRequired == Bound::set && known && compareCut(found, required) == 0;
    if (hasMin == Bound::unreadable || hasMax == Bound::unreadable) return false;
    if (hasMin == Bound::absent && hasMax == Bound::absent) return true;
    if (!known) return false;
    return (hasMin == Bound::absent || compareCut(found, min) >= 0) &&
           (hasMax == Bound::absent || compareCut(found, max) <= 0);
}
