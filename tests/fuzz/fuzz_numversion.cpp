// The extended search: the numeric version order is an order, a version lies within bounds that are
// itself, and the homes and versions read from outside texts are parts of them.
#include "fuzz.h"
#include "jvm/candidates.h"
#include "jvm/numversion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<CText> text = fuzzLines(data, size, 3);
    const char *a = text[0].data(), *b = text[1].data();
    NumVersion v[3];
    bool known[3];
    for (int i = 0; i < 3; ++i) known[i] = parseNumVersion(text[i].data(), v[i]);
    if (known[0] && known[1]) {
        int ab = compareNumVersions(v[0], v[1]);
        FUZZ_CHECK((ab > 0) == (compareNumVersions(v[1], v[0]) < 0) && compareNumVersions(v[0], v[0]) == 0);
        bool chained = known[2] && ab <= 0 && compareNumVersions(v[1], v[2]) <= 0;
        FUZZ_CHECK(!chained || compareNumVersions(v[0], v[2]) <= 0);
        FUZZ_CHECK(acceptNumericVersion({"", a, a}, a) && acceptNumericVersion({a, "", ""}, a));
        FUZZ_CHECK((ab < 0 || acceptNumericVersion({"", b, ""}, a)) &&
                   (ab > 0 || acceptNumericVersion({"", "", b}, a)));
    }
    std::string home, path;
    for (auto rule : {homeOfValue, homeOfPathFolder})
        if (rule(a, "java.exe", home))
            FUZZ_CHECK(!home.empty() && std::strstr(a, home.c_str()) && launcherPathOf(home, "java.exe", path));

    // A version read from a release file or a key name is a part of it, on one line.
    CText whole = cText(std::string(reinterpret_cast<const char*>(data), size));
    std::string version;
    if (versionOfReleaseText(whole.data(), version))
        FUZZ_CHECK(std::strstr(whole.data(), version.c_str()) && version.find_first_of("\r\n") == std::string::npos);
    if (versionOfKeyName(a, version)) FUZZ_CHECK(std::strstr(a, version.c_str()));
    return 0;
}
