#include "jvm/installrules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(InstallerFileName, OnlyASlashSeparates)
{
    EXPECT_EQ(installerFileName("jvm/jre-setup.exe"), "jre-setup.exe");
    EXPECT_EQ(installerFileName("jvm\\jre-setup.exe"), "jvm\\jre-setup.exe");
    EXPECT_EQ(installerFileName("a/b/c.exe"), "c.exe");
    EXPECT_EQ(installerFileName("jre.exe"), "jre.exe");
}

TEST(InstallVariables, TestedInTheirOrderAndValidOnlyWithAFolderBehind)
{
    EXPECT_EQ(findInstallVariable("[$ProgFilesDir]\\MyApp\\jre"), InstallVariable::programFiles);
    EXPECT_EQ(findInstallVariable("[$AppDir]\\[$WinDir]\\x"), InstallVariable::windows) << "the order of testing";
    EXPECT_EQ(findInstallVariable("x[$AppDir]\\jre"), InstallVariable::application);
    EXPECT_EQ(findInstallVariable("[$Foo]\\jre"), InstallVariable::none);
    EXPECT_EQ(findInstallVariable("[$appdir]\\jre"), InstallVariable::none) << "matching is case-sensitive";
    EXPECT_TRUE(hasVariableMarker("[$Foo]\\jre"));
    EXPECT_FALSE(hasVariableMarker("C:\\Apps\\jre"));

    struct Case {
        const char *variable, *predefined;
        VariableDir result;
        const char* dir;
    } cases[] = {
        {"[$ProgFilesDir]", "[$ProgFilesDir]\\MyApp\\jre", VariableDir::valid, "C:\\Program Files\\MyApp\\jre"},
        {"[$AppDir]", "x[$AppDir]\\jre", VariableDir::valid, "C:\\Program Files\\jre"},
        {"[$WinDir]", "[$WinDir]", VariableDir::notFollowedByFolder, ""},
        {"[$WinDir]", "[$WinDir]\\", VariableDir::bare, ""},
        {"[$WinDir]", "x[$WinDir]\\", VariableDir::valid, "C:\\Program Files\\"},
    };
    for (const Case& c : cases) {
        std::string dir = "stale";
        EXPECT_EQ(expandVariableDir(c.variable, "C:\\Program Files", c.predefined, dir), c.result) << c.predefined;
        EXPECT_EQ(dir, c.dir) << c.predefined;
    }
}

TEST(RegistryJvmHome, LowerCaseWithoutATrailingBinFolder)
{
    EXPECT_EQ(registryJvmHome("C:\\Program Files\\JavaSoft\\JRE1.3\\1.3.1"), "c:\\program files\\javasoft\\jre1.3\\1.3.1");
    EXPECT_EQ(registryJvmHome("C:\\jdk\\bin"), "c:\\jdk");
    EXPECT_EQ(registryJvmHome("C:\\Apps\\binaries\\jre"), "c:\\apps\\binaries\\jre");
    EXPECT_EQ(registryJvmHome("C:\\jre\\BIN\\hotspot"), "c:\\jre");
    EXPECT_EQ(registryJvmHome("C:\\bin\\x\\binaries"), "c:");
    EXPECT_EQ(registryJvmHome("\\bin"), "");
    EXPECT_EQ(registryJvmHome("C:\\robin"), "c:\\robin");
}

TEST(LauncherPartner, OfEachFamily)
{
    EXPECT_EQ(launcherPartner("1.1", "jrew.exe"), "jre.exe");
    EXPECT_EQ(launcherPartner("1.1", "jre.exe"), "jrew.exe");
    EXPECT_EQ(launcherPartner("1.3", "javaw.exe"), "java.exe");
    EXPECT_EQ(launcherPartner("1.3", "java.exe"), "javaw.exe");
    EXPECT_EQ(launcherPartner("1.3", "Javaw.exe"), "javaw.exe") << "the comparison is case-sensitive";
    EXPECT_EQ(launcherPartner("1.10", "jrew.exe"), "jre.exe") << "1.10 begins with 1.1";
}

TEST(IsJava2Version, TextComparisonWithOnePointTwo)
{
    for (const char* yes : {"1.2", "1.3", "1.3.1", "1.4.2_05", "2"}) EXPECT_TRUE(isJava2Version(yes)) << yes;
    for (const char* no : {"1.1", "1.1.8", "1.10", "1", ""}) EXPECT_FALSE(isJava2Version(no)) << no;
}

TEST(ApplyJvmHomeDir, RelativeIsAppendedAbsoluteReplaces)
{
    EXPECT_EQ(applyJvmHomeDir("C:\\App\\jvm\\jre1.3\\1.3", "./jre"), "C:\\App\\jvm\\jre1.3\\1.3\\jre");
    EXPECT_EQ(applyJvmHomeDir("C:\\App", "C:/Java/jre"), "C:\\Java\\jre");
    EXPECT_EQ(applyJvmHomeDir("C:\\App", "jre"), "jre");
}

TEST(FolderChain, EveryParentThenTheFolder)
{
    using Chain = std::vector<std::string>;
    EXPECT_EQ(folderChain("C:\\Apps\\MyApp\\jre"), (Chain{"C:", "C:\\Apps", "C:\\Apps\\MyApp", "C:\\Apps\\MyApp\\jre"}));
    EXPECT_EQ(folderChain("C:\\Apps\\"), (Chain{"C:", "C:\\Apps"}));
    EXPECT_EQ(folderChain("jre"), (Chain{"jre"}));
    EXPECT_EQ(joinFolder("", "jvm"), "jvm");
    EXPECT_EQ(joinFolder("C:\\", "jvm"), "C:\\jvm");
    EXPECT_EQ(joinFolder("C:", "jvm"), "C:\\jvm");
    EXPECT_EQ(driveOf("C:\\Program Files"), "C:");
    EXPECT_EQ(driveOf("\\\\server\\share"), "");
}

TEST(IsKnownJvmName, BeginsWithOneOfThreeNames)
{
    for (const char* yes : {"JRE", "JDK", "Java Plug-in", "JRE 1.3"}) EXPECT_TRUE(isKnownJvmName(yes)) << yes;
    for (const char* no : {"MyVM", "jre", "Java", "XJRE"}) EXPECT_FALSE(isKnownJvmName(no)) << no;
}
