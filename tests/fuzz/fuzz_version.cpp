// The version rules of both searches on any texts. Classic: a version satisfies a required version it
// begins with and lies between itself and itself, and what is extracted or split stays inside its
// buffers. Numeric: the order is an order, and the homes and versions read from outside texts are parts
// of them.
#include "fuzz.h"
#include "jvm/candidates.h"
#include "jvm/numversion.h"
#include "jvm/versionrules.h"

// Four texts on lines of their own: required, minimum, maximum and found version; the numeric rules
// compare the first three.
FUZZ_TARGET(4)
{
    const std::string required = lines[0].data(), found = lines[3].data();
    bool accepted = acceptVersion({lines[0].data(), lines[1].data(), lines[2].data()}, lines[3].data());
    if (found.size() < versionWorkSize) {
        FUZZ_CHECK(required.empty() || found.compare(0, required.size(), required) != 0 || accepted);
        FUZZ_CHECK(acceptVersion({"", lines[3].data(), lines[3].data()}, lines[3].data()));
    }
    CText whole = cText(bytes), line = whole;
    extractVersion(line.data());
    char family[100], micro[100];
    parseVersion(lines[3].data(), family, sizeof family, micro, sizeof micro);
    FUZZ_CHECK(strnlen(family, sizeof family) < sizeof family && strnlen(micro, sizeof micro) < sizeof micro);

    const char *a = lines[0].data(), *b = lines[1].data();
    NumVersion v[3];
    bool known[3];
    for (int i = 0; i < 3; ++i) known[i] = parseNumVersion(lines[i].data(), v[i]);
    if (known[0] && known[1]) {
        int ab = compareNumVersions(v[0], v[1]);
        FUZZ_CHECK((ab > 0) == (compareNumVersions(v[1], v[0]) < 0) && compareNumVersions(v[0], v[0]) == 0);
        bool chained = known[2] && ab <= 0 && compareNumVersions(v[1], v[2]) <= 0;
        FUZZ_CHECK(!chained || compareNumVersions(v[0], v[2]) <= 0);
        FUZZ_CHECK(acceptNumericVersion({"", a, a}, a) && acceptNumericVersion({a, "", ""}, a));
        FUZZ_CHECK((ab < 0 || acceptNumericVersion({"", b, ""}, a)) &&
                   (ab > 0 || acceptNumericVersion({"", "", b}, a)));
    }
    std::string home, path, version;
    for (auto rule : {homeOfValue, homeOfPathFolder})
        if (rule(a, "java.exe", home))
            FUZZ_CHECK(!home.empty() && std::strstr(a, home.c_str()) && launcherPathOf(home, "java.exe", path));
    // A version read from a release file or a key name is a part of it, on one line.
    if (versionOfReleaseText(whole.data(), version))
        FUZZ_CHECK(std::strstr(whole.data(), version.c_str()) && version.find_first_of("\r\n") == std::string::npos);
    if (versionOfKeyName(a, version)) FUZZ_CHECK(std::strstr(a, version.c_str()));
}
