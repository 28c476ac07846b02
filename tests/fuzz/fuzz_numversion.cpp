// Arbitrary texts for the extended search: the numeric version rules, the versions read from a release
// file or a key name, the home rules and the order of the candidates: what must hold.
#include "fuzz.h"
#include "jvm/candidates.h"
#include "jvm/numversion.h"
#include "support/textbuf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Three versions, one a line, each in a block of its own size so that a read past its NUL is caught.
    std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<CText> text = fuzzLines(data, size, 3);
    NumVersion v[3];
    bool known[3];
    for (int i = 0; i < 3; ++i) {
        known[i] = parseNumVersion(text[i].data(), v[i]);
        FUZZ_CHECK(known[i] ? v[i].count >= 1 && v[i].count <= numVersionElements : v[i].count == 0);
    }
    const char *a = text[0].data(), *b = text[1].data(), *java = "java.exe";
    if (known[0] && known[1]) {
        int ab = compareNumVersions(v[0], v[1]), ba = compareNumVersions(v[1], v[0]);
        FUZZ_CHECK((ab > 0) == (ba < 0) && (ab == 0) == (ba == 0) && compareNumVersions(v[0], v[0]) == 0);
        bool chained = known[2] && ab <= 0 && compareNumVersions(v[1], v[2]) <= 0;
        FUZZ_CHECK(!chained || compareNumVersions(v[0], v[2]) <= 0);
        // A version lies within bounds that are itself, and at or above a bound in the order after the cut too.
        FUZZ_CHECK(acceptNumericVersion({"", a, a}, a) && acceptNumericVersion({a, "", ""}, a));
        FUZZ_CHECK((ab < 0 || acceptNumericVersion({"", b, ""}, a)) &&
                   (ab > 0 || acceptNumericVersion({"", "", b}, a)));
    }
    // A home is a part of the value, never empty nor cut, without quotes, and its launcher path fits.
    std::string home, path;
    for (auto rule : {homeOfValue, homeOfPathFolder})
        if (rule(a, java, home))
            FUZZ_CHECK(!home.empty() && home.find('"') == std::string::npos && input.find(home) != std::string::npos &&
                       launcherPathOf(home, java, path));

    // A version read from a file or a key name is a part of it, on one line, within a version's size.
    std::string version, whole = input.c_str();
    if (versionOfReleaseText(whole.c_str(), version))
        FUZZ_CHECK(!version.empty() && version.size() < versionSize && whole.find(version) != std::string::npos &&
                   version.find_first_of("\r\n") == std::string::npos);
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (versionOfKeyName(a, version))
        FUZZ_CHECK(std::strstr(a, version.c_str()) && digit(version.front()) && digit(version.back()));

    // Each home is tried once, the accepted known versions first from the highest, then the others; a home
    // of unknown version is never dropped unless it came before.
    std::vector<JvmCandidate> gathered;
    for (int i = 0; i < 3; ++i)
        gathered.push_back({"", "", "", text[i].data(), text[(i + 1) % 3].data(), (size >> i) % 2 == 1});
    gathered.push_back({"", "", "", std::string(a) + "\\", "99", true});
    VersionRules rules{"", text[2].data(), ""};
    CandidateOrder order = orderCandidates(gathered, rules);
    FUZZ_CHECK(order.tried.size() + order.dropped.size() == gathered.size());
    auto key = [](std::string home) {
        while (!home.empty() && (home.back() == '\\' || home.back() == '/')) home.pop_back();
        lowerAscii(home.data());
        return home;
    };
    std::vector<std::string> tried;
    NumVersion previous, current;
    bool previousKnown = true;
    for (const JvmCandidate& candidate : order.tried) {
        bool isKnown = candidate.versionKnown && parseNumVersion(candidate.version.c_str(), current);
        FUZZ_CHECK(!isKnown || (previousKnown && acceptNumericVersion(rules, candidate.version.c_str()) &&
                                (tried.empty() || compareNumVersions(previous, current) >= 0)));
        FUZZ_CHECK(std::find(tried.begin(), tried.end(), key(candidate.home)) == tried.end());
        tried.push_back(key(candidate.home));
        previous = current;
        previousKnown = isKnown;
    }
    for (std::size_t i = 0; i < gathered.size(); ++i) {
        bool first = std::none_of(gathered.begin(), gathered.begin() + static_cast<long>(i),
                                  [&](const JvmCandidate& c) { return key(c.home) == key(gathered[i].home); });
        if (first && !gathered[i].versionKnown)
            FUZZ_CHECK(std::find(tried.begin(), tried.end(), key(gathered[i].home)) != tried.end());
    }
    return 0;
}
