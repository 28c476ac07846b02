#include "exec/commandrules.h"
#include "jvm/launchtext.h"
#include "support/spawnargs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Words = std::vector<std::string>;

TEST(FormattedCommand, QuotesACommandWithABlankUnlessItBeginsWithAQuote)
{
    struct Case {
        const char *command, *formatted;
    } cases[] = {
        {"C:\\Program Files\\App\\setup.exe", "\"C:\\Program Files\\App\\setup.exe\""},
        {"setup.exe", "setup.exe"},
        {"\"C:\\My Dir\\x.exe\" -s", "\"C:\\My Dir\\x.exe\" -s"},
        {"C:\\My Dir\\x.exe \"a\"", "\"C:\\My Dir\\x.exe \"a\"\""},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(formattedCommand(c.command), c.formatted) << c.command;
}

TEST(ArgumentWords, SplitAtEverySingleBlank)
{
    EXPECT_EQ(blankSeparatedWords(nullptr), Words{});
    EXPECT_EQ(argumentCount(nullptr), 1);
    EXPECT_EQ(blankSeparatedWords("-a -b"), (Words{"-a", "-b"}));
    EXPECT_EQ(argumentCount("-a -b"), 3);
    EXPECT_EQ(blankSeparatedWords("-a  -b"), (Words{"-a", "", "-b"}));
    EXPECT_EQ(argumentCount("-a  -b"), 4);
    EXPECT_EQ(blankSeparatedWords(""), (Words{""}));
    EXPECT_EQ(argumentCount(""), 2);
    EXPECT_EQ(blankSeparatedWords(" x "), (Words{"", "x", ""}));
}

TEST(LaunchBatchText, ThreeLines)
{
    EXPECT_EQ(launchBatchText("setup.exe", "/s"), "@echo off\nsetup.exe /s\ndel __qivwait.sem\n");
    EXPECT_EQ(launchBatchText("\"C:\\A B\\x.exe\"", nullptr), "@echo off\n\"C:\\A B\\x.exe\"\ndel __qivwait.sem\n");
}

TEST(LaunchFailureText, OneTextPerErrorNumber)
{
    EXPECT_STREQ(launchFailureText(2), "File or path is not found");
    EXPECT_STREQ(launchFailureText(7), "Argument list exceeds 1024 bytes");
    EXPECT_STREQ(launchFailureText(8), "Specified file is not executable or has invalid executable-file format");
    EXPECT_STREQ(launchFailureText(12), "Not enough memory is available to execute new process");
    EXPECT_STREQ(launchFailureText(22), "Mode argument is invalid");
    for (int other : {0, 1, 13, -1, 9999}) EXPECT_STREQ(launchFailureText(other), "Unknown error") << other;
}

TEST(SpawnArguments, OneArgumentAndTheProgramToStart)
{
    EXPECT_EQ(asOneArgument("C:\\Temp\\pkg"), "C:\\Temp\\pkg");
    EXPECT_EQ(asOneArgument("C:\\Documents and Settings\\pkg"), "\"C:\\Documents and Settings\\pkg\"");
    EXPECT_EQ(asOneArgument("\"already quoted\""), "\"already quoted\"");
    EXPECT_EQ(programPath("\"C:\\Program Files\\App\\setup.exe\""), "C:\\Program Files\\App\\setup.exe");
    EXPECT_EQ(programPath("setup.exe"), "setup.exe");
    EXPECT_EQ(programPath("\"C:\\My Dir\\x.exe\" -s"), "\"C:\\My Dir\\x.exe\" -s");
    EXPECT_EQ(programPath("\""), "\"");
}
