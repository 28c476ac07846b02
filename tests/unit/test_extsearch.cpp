#include "jvm/candidates.h"
#include "jvm/numversion.h"
#include "rows.h"

#include <cstring>
#include <tuple>

const char* const forty = "9999999999999999999999999999999999999999";

// Numbers, not texts: the old "1." prefix goes, 10 sorts above 2, and a bound counts only as long as it is.
TEST(NumericVersion, ReadsNumbersAndAcceptsAgainstBoundsCutToTheirLength)
{
    eachFilled([](const char* text, std::string& out) {
        NumVersion v;
        if (!parseNumVersion(text, v)) return false;
        for (int i = 0; i < v.count; ++i) out += (i ? "." : "") + std::to_string(v.element[i]);
        out += v.preRelease ? "-pre" : "";
        return true;
    }, {{"1.8.0_392-b08", "8.0.392.8"}, {"17.0.10+7", "17.0.10.7"}, {"21-EA+35", "21-pre"}, {" 11.0.2 LTS", "11.0.2"},
         {"17..1", "17"}, {forty, "4294967295"}, {"1.2.3.4.5.6.7.8.9.10.11.12.13", "2.3.4.5.6.7.8.9.10.11.12.13"},
         {"v17", "-"}});
    struct { const char *name, *required, *min, *max, *version; bool accepted; } rows[] = {
        {"10 above 2", "", "11.0.2", "", "11.0.10", true}, {"above one family", "", "1.8", "1.8", "11.0.2", false},
        {"max a prefix", "", "11", "17", "17.0.10", true}, {"1.7 is not 17", "17", "", "", "1.7.0", false},
        {"blank bounds are absent", " ", "\t", " ", "8", true}, {"digit-free min", "", "latest", "", "17", false},
        {"huge bound", "", "", forty, "4294967294", true}};
    for (const auto& r : rows)
        EXPECT_EQ(acceptNumericVersion({r.required, r.min, r.max}, r.version), r.accepted) << r.name;
}

// A long value is refused even where what would be left of it fits.
TEST(CandidateHome, FromPathFolderRefusingLongOnes)
{
    auto ofFolder = [](const char* v, std::string& home) { return homeOfPathFolder(v, "javaw.exe", home); };
    std::string fits = "C:\\" + std::string(pathLimit - 3 - std::strlen("\\bin\\javaw.exe"), 'j'); // path fits exactly
    eachFilled(ofFolder, {{"\"C:\\Program Files\\jre\\BIN\\\"",
        "C:\\Program Files\\jre"}, {"C:/jdk/Bin", "C:/jdk"}, {"C:\\cabin", "C:\\cabin"}, {"C:\\bin", "C:"},
        {"\\bin", "-"}, {fits + "\\bin", fits}, {fits + "k\\bin", "-"}, {fits + std::string(pathLimit, ' '), "-"}});
}

// Equal versions (17.0.2 and 17.0.2.0) keep their order; a pre-release sorts below its release.
TEST(CandidateOrder, OneOfEachHomeHighestVersionFirstUnknownLast)
{
    std::vector<JvmCandidate> gathered;
    for (auto [name, version, home] : {std::tuple{"A", "17.0.2", ""}, {"B", "17.0.10", "C:\\Java\\B"},
             {"D", "", ""}, {"E", "21", "c:\\java\\b\\"}, {"F", "21-ea", ""}, {"G", "21", ""}, {"H", "17.0.2.0", ""},
             {"J", "1.7.0_80", ""}, {"K", "unknown", ""}, {"M", "8", "C:\\D\\"}})
        gathered.push_back({name, "HKLM", "64-bit", *home ? home : "C:\\" + std::string(name), version, *version != 0});
    CandidateOrder order = orderCandidates(gathered, {"", "1.8", "21"});
    std::string tried, dropped;
    for (const JvmCandidate& c : order.tried) tried += c.source + " ";
    for (const DroppedCandidate& d : order.dropped) dropped += d.candidate.source + ": " + d.reason + "; ";
    EXPECT_EQ(tried + "| " + dropped, "G F B A H D K | E: same home as an earlier candidate; J: version 1.7.0_80 "
              "is not accepted; M: same home as an earlier candidate; ");
}
