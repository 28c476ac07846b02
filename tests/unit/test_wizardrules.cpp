#include "installer/wizardrules.h"
#include "support/clib.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Words = std::vector<std::string>;
using Traces = std::vector<std::pair<std::string, std::string>>;

TEST(SwingWanted, LaunchersWithoutJavaInTheirNameNeedSwing)
{
    EXPECT_TRUE(swingWanted("C:\\jre\\bin\\jrew.exe"));
    EXPECT_TRUE(swingWanted("C:\\java\\bin\\jre.exe")) << "only the file name counts";
    EXPECT_FALSE(swingWanted("C:\\jre\\bin\\javaw.exe"));
    EXPECT_FALSE(swingWanted("java.exe"));
    EXPECT_TRUE(swingWanted("C:\\jre\\bin\\JAVA.EXE")) << "the test is case-sensitive";
    EXPECT_STREQ(fileNamePart("C:\\jre\\bin\\jrew.exe"), "jrew.exe");
    EXPECT_STREQ(fileNamePart("jrew.exe"), "jrew.exe");
    EXPECT_EQ(swingArchivePath(true, "C:\\jre"), "swingall.jar");
    EXPECT_EQ(swingArchivePath(false, "C:\\jre"), "C:\\jre\\lib\\swingall.jar");
}

TEST(ComposeClassPath, ElementsQuotedWhenTheyHoldABlank)
{
    ClassPath path = composeClassPath(".;install.jar", "swingall.jar", true, false);
    EXPECT_EQ(path.text, ".;install.jar");
    path = composeClassPath(".;C:\\My Libs\\a.jar;install.jar;", "x", false, false);
    EXPECT_EQ(path.text, ".;\"C:\\My Libs\\a.jar\";install.jar");
    path = composeClassPath("a;;b", "x", false, false);
    EXPECT_EQ(path.text, "a;;b");
    EXPECT_TRUE(path.traces.empty());
}

TEST(ComposeClassPath, SwingArchiveRule)
{
    struct Case {
        const char* what;
        std::string swingPath;
        bool exists, wanted;
        std::string text;
        Traces traces;
    } cases[] = {
        {"package copy", "swingall.jar", true, true, "swingall.jar;.;install.jar", {{"added swing to classpath", ""}}},
        {"JVM copy with a blank", "C:\\Java Home\\lib\\swingall.jar", true, true,
         "\"C:\\Java Home\\lib\\swingall.jar\";.;install.jar", {{"added swing to classpath", ""}}},
        {"missing", "C:\\jre\\lib\\swingall.jar", false, true, ".;install.jar",
         {{"swing file does not exist", "C:\\jre\\lib\\swingall.jar"}}},
        {"not wanted", "swingall.jar", true, false, ".;install.jar", {}},
    };
    for (const Case& c : cases) {
        ClassPath path = composeClassPath("lib/swingall.jar;.;install.jar", c.swingPath, c.exists, c.wanted);
        EXPECT_EQ(path.text, c.text) << c.what;
        EXPECT_EQ(path.traces, c.traces) << c.what;
    }
    // A dropped first element takes no separator with it; a dropped later one neither.
    EXPECT_EQ(composeClassPath(".;swingall.jar;install.jar", "s", false, false).text, ".;install.jar");
}

TEST(ComposeClassPath, StaysWithinItsBufferWhateverTheSwingPath)
{
    std::string longHome(3000, 'h');
    std::string swing = longHome + "\\lib\\swingall.jar";
    const char* loader = "swingall.jar;swingall.jar;a.jar";
    ClassPath path = composeClassPath(loader, swing, true, true);
    EXPECT_LE(path.text.size(), std::string(loader).size() + 999);
    EXPECT_FALSE(path.refused.empty()) << "what does not fit is left out, and said";
}

TEST(WizardArguments, OrderAndSplitting)
{
    struct Case {
        const char* what;
        WizardCommand command;
        Words arguments;
    } cases[] = {
        {"defaults", {"C:\\jre\\bin\\javaw.exe", "", "-cp", ".;install.jar", "com.x.Install", "", false, false},
         {"javaw.exe", "-cp", ".;install.jar", "com.x.Install"}},
        {"double blank in the options",
         {"javaw.exe", "-Xmx64m  -Dy=1", "", "cp", "Main -v", "", false, false},
         {"javaw.exe", "-Xmx64m", "", "-Dy=1", "", "cp", "Main", "-v"}},
        {"empty loader command gives one empty argument", {"j.exe", "", "-cp", "cp", "", "", false, false},
         {"j.exe", "-cp", "cp", ""}},
        {"quiet wins over silent", {"j.exe", "", "-cp", "cp", "M", "C:\\Target", true, true},
         {"j.exe", "-cp", "cp", "M", "-q", "C:\\Target"}},
        {"silent", {"j.exe", "", "-cp", "cp", "M", "C:\\Target", false, true},
         {"j.exe", "-cp", "cp", "M", "-s", "C:\\Target"}},
        {"switch with an empty argument", {"j.exe", "", "-cp", "cp", "M", "", true, false}, {"j.exe", "-cp", "cp", "M"}},
        {"argument without a switch", {"j.exe", "", "-cp", "cp", "M", "C:\\Target", false, false},
         {"j.exe", "-cp", "cp", "M"}},
        {"blanks and no quote: as it stands", {"j.exe", "", "-cp", "cp", "M", "C:\\Program Files\\App", true, false},
         {"j.exe", "-cp", "cp", "M", "-q", "C:\\Program Files\\App"}},
        {"quote and blank: in quotes", {"j.exe", "", "-cp", "cp", "M", "C:\\A \"B\"", true, false},
         {"j.exe", "-cp", "cp", "M", "-q", "\"C:\\A \"B\"\""}},
        {"quote without blank: as it stands", {"j.exe", "", "-cp", "cp", "M", "\"C:\\App\"", true, false},
         {"j.exe", "-cp", "cp", "M", "-q", "\"C:\\App\""}},
    };
    for (const Case& c : cases) {
        Words arguments = wizardArguments(c.command);
        EXPECT_EQ(arguments, c.arguments) << c.what;
    }
}

TEST(ArgumentText, JoinedWithElementsWithBlanksQuoted)
{
    Words arguments{"javaw.exe", "-Dp=a b", "", "-cp", ".;\"C:\\My Libs\\a.jar\"", "Main", "-q", "C:\\Program Files"};
    std::string text = argumentText(arguments);
    EXPECT_EQ(text, "javaw.exe \"-Dp=a b\"  -cp .;\"C:\\My Libs\\a.jar\" Main -q \"C:\\Program Files\"");
    EXPECT_EQ(commandText("C:\\jre\\bin\\javaw.exe", text), "\"C:\\jre\\bin\\javaw.exe\" " + text);
    EXPECT_EQ(argumentText(Words{std::string(20000, 'x')}).size(), commandTextSize - 1);
}
