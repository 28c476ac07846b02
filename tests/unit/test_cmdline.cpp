#include "launcher/cmdline.h"
#include "launcher/startup.h"

#include <gtest/gtest.h>

#include <string>

TEST(CommandLineHidesWindows, OnlyTokensFollowedByASpaceAreTested)
{
    struct Case {
        const char* line;
        bool hides;
    } cases[] = {
        {"-q C:\\Target", true},
        {"-s C:\\Target", true},
        {"-q", false},
        {"C:\\Target -q", false},
        {"my-setup x", true},
        {"C:\\my-setup", false},
        {"", false},
        {"a b c", false},
        {"-q ", true},
        {" -q", false},
        {"a  -s x", true},
        {"--quiet x", true},
        {"-Q x", false},
    };
    for (const Case& c : cases) EXPECT_EQ(commandLineHidesWindows(c.line), c.hides) << "\"" << c.line << "\"";
    EXPECT_FALSE(commandLineHidesWindows(nullptr));
}

TEST(ReadWizardSwitches, SwitchesAndTheArgumentThatFollows)
{
    struct Case {
        const char* line;
        bool quiet, silent;
        const char* argument;
    } cases[] = {
        // A quoted path with spaces loses its quotes; one without spaces, as the last piece, keeps them.
        {"-q \"C:\\Program Files\\App\"", true, false, "C:\\Program Files\\App"},
        {"-s \"C:\\App\"", false, true, "\"C:\\App\""},
        {"-q C:\\App", true, false, "C:\\App"},
        {"-q first second", true, false, "first"},
        {"-q", false, false, ""},
        {"before -s C:\\App", false, true, "C:\\App"},
        {"-q C:\\my-setup\\x", true, false, "C:\\my-setup\\x"},
        {"-s C:\\my-setup x", false, true, "x"},
        {"-q -s C:\\App", true, true, "C:\\App"},
        {"-s -q C:\\App", true, true, "C:\\App"},
        {"C:\\App", false, false, ""},
        {"C:\\App -q", false, false, ""},
        {"", false, false, ""},
        {"-q \"C:\\Documents and Settings\\me\\App\" trailing", true, false, "C:\\Documents and Settings\\me\\App"},
        {"-q \"C:\\Open ended", true, false, "C:\\Open ended"},
        {"-q C:\\A B\"", true, false, "C:\\A"},
        {"-q  C:\\Two", true, false, "C:\\Two"},
        // A quoted argument without a space that is not the last piece: its closing quote is no part of it.
        {"-q \"C:\\App\" more", true, false, "C:\\App"},
        {"-q \"C:\\App\" ", true, false, "C:\\App"},
    };
    for (const Case& c : cases) {
        WizardSwitches switches = readWizardSwitches(c.line);
        EXPECT_EQ(switches.quiet, c.quiet) << "\"" << c.line << "\"";
        EXPECT_EQ(switches.silent, c.silent) << "\"" << c.line << "\"";
        EXPECT_EQ(switches.wizardArgument, c.argument) << "\"" << c.line << "\"";
    }
}

TEST(StartupText, TextOfEachLanguage)
{
    EXPECT_STREQ(startupText("english"), "Unpacking the installer...");
    EXPECT_STREQ(startupText("klingon"), "Unpacking the installer...");
    EXPECT_STREQ(startupText("Dutch"), "Unpacking the installer...");
    EXPECT_STREQ(startupText("french"), "Pr\xEF\xBF\xBDparation Wizard...");
    EXPECT_STREQ(startupText("german"), "Bereite Wizard..");
    EXPECT_STREQ(startupText("spanish"), "Preparando wizard...");
    EXPECT_STREQ(startupText("portuguese"), "Preparando Wizard...");
    EXPECT_STREQ(startupText("polish"), "Inicjalizacja Wizard...");
    EXPECT_STREQ(startupText("italian"), "Preparazione Wizard...");
    EXPECT_STREQ(startupText("japanese"), "\rPreparing wizard...");
    EXPECT_STREQ(startupText("dutch"), "Voorbereiden Wizard...");
}

TEST(CentredPlacement, MiddleOfTheWorkingAreaGrownByTwoFrames)
{
    Placement p = centredPlacement(300, 100, 640, 480, 3, 3);
    EXPECT_EQ(p.x, 170);
    EXPECT_EQ(p.y, 190);
    EXPECT_EQ(p.width, 306);
    EXPECT_EQ(p.height, 106);
    p = centredPlacement(301, 101, 640, 480, 0, 0);
    EXPECT_EQ(p.x, 169);
    EXPECT_EQ(p.y, 189);
    p = centredPlacement(700, 500, 640, 480, 1, 2);
    EXPECT_EQ(p.x, -30) << "rounds toward zero";
    EXPECT_EQ(p.y, -10);
}
