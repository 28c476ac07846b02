#include "support/textbuf.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(CopyText, FitsOrCutsInsideTheBuffer)
{
    char buffer[6];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_TRUE(copyText(buffer, sizeof buffer, "abcde"));
    EXPECT_STREQ(buffer, "abcde");

    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_FALSE(copyText(buffer, sizeof buffer, "abcdef"));
    EXPECT_STREQ(buffer, "abcde");

    EXPECT_TRUE(copyText(buffer, sizeof buffer, ""));
    EXPECT_STREQ(buffer, "");
}

TEST(CopyText, OverlappingSourceIsSafe)
{
    char buffer[16] = "0123456789";
    EXPECT_TRUE(copyText(buffer, sizeof buffer, buffer + 3));
    EXPECT_STREQ(buffer, "3456789");
}

TEST(AppendText, CutsAtTheEndOfTheBuffer)
{
    char buffer[8] = "abc";
    EXPECT_TRUE(appendText(buffer, sizeof buffer, "def"));
    EXPECT_STREQ(buffer, "abcdef");
    EXPECT_FALSE(appendText(buffer, sizeof buffer, "ghi"));
    EXPECT_STREQ(buffer, "abcdefg");
    EXPECT_FALSE(appendText(buffer, sizeof buffer, "x"));
    EXPECT_STREQ(buffer, "abcdefg");
}

TEST(FormatText, ReportsCutResults)
{
    char buffer[10];
    EXPECT_TRUE(formatText(buffer, sizeof buffer, "%s=%d", "ab", 12345));
    EXPECT_STREQ(buffer, "ab=12345");
    EXPECT_FALSE(formatText(buffer, sizeof buffer, "%s%s", "abcdef", "ghijkl"));
    EXPECT_STREQ(buffer, "abcdefghi");
}

// The order of _stricmp: A to Z read as a to z, bytes compared unsigned, a proper beginning first.
TEST(CompareNoCase, FollowsStricmpOrder)
{
    struct Case {
        const char *a, *b;
        int sign;
    } cases[] = {
        {"1.4", "1.4", 0},     {"JRE", "jre", 0},     {"1.4", "1.4.2", -1}, {"1.4.2", "1.4_0", -1},
        {".", "0", -1},        {"9", "_", -1},        {"_", "a", -1},       {"_", "A", -1},
        {"1.10", "1.9", -1},   {"", "a", -1},         {"\xE9", "z", 1},     {"[", "a", -1},
    };
    for (const Case& c : cases) {
        int result = compareNoCase(c.a, c.b);
        int sign = (result > 0) - (result < 0);
        EXPECT_EQ(sign, c.sign) << "\"" << c.a << "\" vs \"" << c.b << "\"";
        EXPECT_EQ(-sign, (compareNoCase(c.b, c.a) > 0) - (compareNoCase(c.b, c.a) < 0));
    }
}

TEST(LowerAscii, ChangesOnlyAsciiLetters)
{
    char text[] = "ABC xyz \xC4\xD6 [Z]";
    lowerAscii(text);
    EXPECT_STREQ(text, "abc xyz \xC4\xD6 [z]");
}

TEST(FindNoCase, FindsFirstOccurrence)
{
    const char* text = "C:\\Program Files\\JavaSoft";
    EXPECT_EQ(findNoCase(text, "javasoft"), text + 17);
    EXPECT_EQ(findNoCase(text, "PROGRAM"), text + 3);
    EXPECT_EQ(findNoCase(text, ""), text);
    EXPECT_EQ(findNoCase(text, "jdk"), nullptr);
    EXPECT_EQ(findNoCase("ab", "abc"), nullptr);
}
