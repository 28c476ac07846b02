// Arbitrary texts for the numeric version rules and the home rules of the extended search: what must hold.
#include "jvm/candidates.h"
#include "jvm/numversion.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Three versions, one a line, each in a block of its own size so that a read past its NUL is caught.
    std::string input(reinterpret_cast<const char*>(data), size), line;
    std::istringstream lines(input);
    std::vector<char> text[3];
    NumVersion v[3];
    bool known[3];
    for (int i = 0; i < 3; ++i) {
        std::getline(lines, line);
        text[i].assign(line.c_str(), line.c_str() + std::strlen(line.c_str()) + 1);
        known[i] = parseNumVersion(text[i].data(), v[i]);
        if (!(known[i] ? v[i].count >= 1 && v[i].count <= numVersionElements : v[i].count == 0)) std::abort();
    }
    const char *a = text[0].data(), *b = text[1].data(), *java = "java.exe";
    if (known[0] && known[1]) {
        int ab = compareNumVersions(v[0], v[1]), ba = compareNumVersions(v[1], v[0]);
        if (!((ab > 0) == (ba < 0) && (ab == 0) == (ba == 0) && compareNumVersions(v[0], v[0]) == 0)) std::abort();
        bool chained = known[2] && ab <= 0 && compareNumVersions(v[1], v[2]) <= 0;
        if (chained && compareNumVersions(v[0], v[2]) > 0) std::abort();
        // A version lies within bounds that are itself, and at or above a bound in the order after the cut too.
        if (!(acceptNumericVersion({"", a, a}, a) && acceptNumericVersion({a, "", ""}, a))) std::abort();
        if ((ab >= 0 && !acceptNumericVersion({"", b, ""}, a)) || (ab <= 0 && !acceptNumericVersion({"", "", b}, a)))
            std::abort();
    }
    // A home is a part of the value, never empty nor cut, without quotes, and its launcher path fits.
    std::string home, path;
    for (auto rule : {homeOfValue, homeOfPathFolder})
        if (rule(a, java, home) && (home.empty() || home.find('"') != std::string::npos ||
                                          input.find(home) == std::string::npos || !launcherPathOf(home, java, path)))
            std::abort();
    return 0;
}
