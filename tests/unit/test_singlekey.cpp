#include "control/singlekey.h"
#include "testfiles.h"

#include <gtest/gtest.h>

TEST(LookUpControlKey, FirstMatchingLineWins)
{
    TestFolder folder;
    writeFile("qiv.control", "jvmName=x\r\nconfigureWinRegistry=no\r\nconfigureWinRegistry=yes\r\n");
    ControlKeyLookup lookup = lookUpControlKey("configureWinRegistry", "native.properties");
    EXPECT_TRUE(lookup.opened);
    ASSERT_TRUE(lookup.found);
    EXPECT_STREQ(lookup.line, "configureWinRegistry=no");
    EXPECT_STREQ(lookup.value(), "no");
    EXPECT_FALSE(isAffirmative(lookup.value()));
}

TEST(LookUpControlKey, FallbackFileOnlyWhenTheControlFileCannotBeOpened)
{
    TestFolder folder;
    writeFile("native.properties", "configureWinRegistry=false\r\n");
    writeFile("qiv.control", "jvmName=x\r\n");
    ControlKeyLookup lookup = lookUpControlKey("configureWinRegistry", "native.properties");
    EXPECT_TRUE(lookup.opened);
    EXPECT_FALSE(lookup.found) << "the control file opened, so its missing key decides";

    std::filesystem::remove("qiv.control");
    lookup = lookUpControlKey("configureWinRegistry", "native.properties");
    EXPECT_TRUE(lookup.opened);
    ASSERT_TRUE(lookup.found);
    EXPECT_STREQ(lookup.value(), "false");

    std::filesystem::remove("native.properties");
    lookup = lookUpControlKey("configureWinRegistry", "native.properties");
    EXPECT_FALSE(lookup.opened);
    EXPECT_FALSE(lookup.found);
}

TEST(LookUpControlKey, KeyAloneGivesAnEmptyValue)
{
    TestFolder folder;
    writeFile("qiv.control", "configureWinRegistry\n");
    ControlKeyLookup lookup = lookUpControlKey("configureWinRegistry", "native.properties");
    ASSERT_TRUE(lookup.found);
    EXPECT_STREQ(lookup.value(), "");
    EXPECT_FALSE(isAffirmative(lookup.value()));
}

TEST(LookUpControlKey, LongLinesAreReadInPieces)
{
    TestFolder folder;
    // The key stands at the start of the second piece of a long line.
    writeFile("qiv.control", std::string(998, 'x') + "jvmThirdPartyInstaller=YES\n");
    ControlKeyLookup lookup = lookUpControlKey("jvmThirdPartyInstaller", "__qivwizard.sem");
    ASSERT_TRUE(lookup.found);
    EXPECT_TRUE(isAffirmative(lookup.value()));
}

TEST(IsAffirmative, TrueOrYesInAnyCase)
{
    for (const char* yes : {"true", "TRUE", "yes", "YeS"}) EXPECT_TRUE(isAffirmative(yes)) << yes;
    for (const char* no : {"", "1", "no", "false", "yes ", " true", "y"}) EXPECT_FALSE(isAffirmative(no)) << no;
}
