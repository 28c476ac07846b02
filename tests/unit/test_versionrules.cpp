#include "jvm/versionrules.h"

#include <gtest/gtest.h>

#include <string>

TEST(AcceptVersion, RequiredVersionIsAPrefixIgnoringCase)
{
    struct Case {
        const char *required, *found;
        bool accepted;
    } cases[] = {
        {"1.4", "1.4", true},          {"1.4", "1.4.0", true},       {"1.4", "1.4.2_05", true},
        {"1.4", "1.40", true},         {"1.4", "1.5.0", false},      {"1.4", "1.3.1", false},
        {"1.4.2_05", "1.4.2", false},  {"1.4.2_05", "1.4.2_05-b04", true},
        {"1.4.2_05-B04", "1.4.2_05-b04", true}, {"1.6.0_07", "1.6.0_07.0", true},
        {"1.4", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(acceptVersion({c.required, "", ""}, c.found), c.accepted) << c.required << " / " << c.found;
}

TEST(AcceptVersion, RangeBoundsArePrefixesInStricmpOrder)
{
    struct Case {
        const char *min, *max, *found;
        bool accepted;
    } cases[] = {
        {"1.4", "1.5", "1.4.0", true},      {"1.4", "1.5", "1.5.0_22", true},
        {"1.4", "1.5", "1.3.1_02", false},  {"1.4", "1.5", "1.6.0", false},
        {"1.4.2", "", "1.6.0", true},       {"1.4.2", "", "1.4.2", true},
        {"1.4.2", "", "1.4", false},        {"1.4.2", "", "1.4.1_07", false},
        {"", "", "anything", true},         {"", "", "", true},
        {"1.9", "", "1.10.0", false},       {"1.4.2", "", "1.4_01", true},
        {"", "1.4.2", "1.4_01", false},     {"", "1.4.2", "1.4", true},
        {"1.4", "1.5", "1.5a", true},       {"1.4", "1.5", "1.5.0_22-ea", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(acceptVersion({"", c.min, c.max}, c.found), c.accepted)
            << "min " << c.min << " max " << c.max << " found " << c.found;
}

TEST(AcceptVersion, VeryLongFoundVersionIsJudgedOnItsBeginning)
{
    std::string found = "1.4." + std::string(5000, '9');
    EXPECT_TRUE(acceptVersion({"1.4", "", ""}, found.c_str()));
    EXPECT_TRUE(acceptVersion({"", "1.3", "1.4"}, found.c_str()));
    EXPECT_FALSE(acceptVersion({"", "1.5", ""}, found.c_str()));
}

TEST(ExtractVersion, KeepsTheTextFromTheFirstToTheLastDigit)
{
    struct Case {
        const char *line, *version;
    } cases[] = {
        {"java.version=1.4.2_05", "1.4.2_05"},
        {"1.6.0_22-ea", "1.6.0_22"},
        {"1.5.0 (build 12)", "1.5.0 (build 12"},
        {"java version 1.4.2_05\n", "1.4.2_05"},
        {"7", "7"},
        {"no digits at all\n", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        std::string line = c.line;
        extractVersion(line.data());
        EXPECT_STREQ(line.c_str(), c.version) << "line \"" << c.line << "\"";
    }
}

TEST(ParseVersion, SplitsAtTheLastDotFromTwoDotsOn)
{
    struct Case {
        const char *version, *family, *micro;
    } cases[] = {
        {"1.4.2_05", "1.4", "2_05"}, {"1.6.0", "1.6", "0"}, {"1.4", "1.4", "0"}, {"1", "1", "0"},
        {"1.3.1.2", "1.3.1", "2"},  {"", "", "0"},         {"1.3.", "1.3", ""},  {"..", ".", ""},
    };
    for (const Case& c : cases) {
        char family[100], micro[100];
        EXPECT_TRUE(parseVersion(c.version, family, sizeof family, micro, sizeof micro)) << c.version;
        EXPECT_STREQ(family, c.family) << c.version;
        EXPECT_STREQ(micro, c.micro) << c.version;
    }
}

TEST(ParseVersion, PartsThatDoNotFitAreCutAndReported)
{
    std::string version = "1.3." + std::string(150, '7');
    char family[100], micro[100];
    EXPECT_FALSE(parseVersion(version.c_str(), family, sizeof family, micro, sizeof micro));
    EXPECT_STREQ(family, "1.3");
    EXPECT_EQ(std::string(micro), std::string(99, '7'));

    version = std::string(120, '1') + ".2.3";
    EXPECT_FALSE(parseVersion(version.c_str(), family, sizeof family, micro, sizeof micro));
    EXPECT_EQ(std::string(family).size(), 99u);
    EXPECT_STREQ(micro, "3");
}
