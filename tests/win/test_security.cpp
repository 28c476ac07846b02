// The Java security files: resolved below the JVM's or the user's home, backed up on the Java Plug-in
// path, and the keystore also in the user's profile folder or where the identity database says.
#include "regscope.h"
#include "security/security.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

const char* const winlogonKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// A package folder with its security files, a JVM home and a Windows directory of the test's own.
struct SecurityPackage : TestFolder {
    ScopedUserLocale locale;
    ScopedRegValue userName{HKEY_LOCAL_MACHINE, winlogonKey, "UserName"};
    ScopedRegValue defaultUserName{HKEY_LOCAL_MACHINE, winlogonKey, "DefaultUserName"};
    std::string jre, windows;

    explicit SecurityPackage(const char* userLocale = "English_United States.1252") : locale(userLocale)
    {
        writeFile("jinstall.log", "");
        writeFile("java.policy", "grant { permission java.security.AllPermission; };\n");
        writeFile("system.policy", "grant {};\n");
        writeFile(".keystore", "KEYSTORE");
        fs::create_directories("jre");
        fs::create_directories("WINDOWS");
        jre = native() + "\\jre";
        windows = native() + "\\WINDOWS";
        userName.setString("user1");
        defaultUserName.remove();
    }

    bool add(const char* systemPolicy, const char* userPolicy, const char* keystore, bool backup)
    {
        char system[5001], user[5001], key[5001], home[5001], windowsDir[5001];
        std::strcpy(system, systemPolicy);
        std::strcpy(user, userPolicy);
        std::strcpy(key, keystore);
        std::strcpy(home, jre.c_str());
        std::strcpy(windowsDir, windows.c_str());
        Security security;
        return security.addSecurity(system, user, key, home, windowsDir, backup);
    }

    static bool traced(const std::string& line)
    {
        Lines lines = readLogLines("jinstall.log");
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
};

} // namespace

TEST(Security, NothingNamedNothingDone)
{
    SecurityPackage package;
    EXPECT_TRUE(package.add("", "", "", true));
    EXPECT_TRUE(fs::is_empty(package.jre));
    EXPECT_TRUE(fs::is_empty(package.windows));
    EXPECT_EQ(readLogLines("jinstall.log"), Lines{});
}

TEST(Security, UserPolicyBelowTheJvmHomeIsNotOverwrittenWithoutBackup)
{
    SecurityPackage package;
    std::string target = package.jre + "\\lib\\security\\java.policy";
    EXPECT_TRUE(package.add("", "${java.home}/lib/security/java.policy", "", false));
    EXPECT_EQ(readFile(target), readFile("java.policy"));

    writeFile(target, "the JVM's own policy");
    EXPECT_TRUE(package.add("", "${java.home}/lib/security/java.policy", "", false));
    EXPECT_EQ(readFile(target), "the JVM's own policy");
    EXPECT_FALSE(fileExists("changes.txt"));
}

TEST(Security, JavaPluginBacksUpAndReplacesAndRecordsIt)
{
    struct Case {
        const char* locale;
        const char* line;
    } cases[] = {
        {"English_United States.1252", "Renamed to "},
        {"Spanish_Spain.1252", "Reagrupado  a "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        SecurityPackage package(c.locale);
        std::string target = package.jre + "\\lib\\security\\java.policy";
        fs::create_directories(package.jre + "\\lib\\security");
        writeFile(target, "the JVM's own policy");
        EXPECT_TRUE(package.add("", "${java.home}/lib/security/java.policy", "", true));
        EXPECT_EQ(readFile(package.jre + "\\lib\\security\\java.001"), "the JVM's own policy");
        EXPECT_EQ(readFile(target), readFile("java.policy"));
        EXPECT_EQ(readPlainLines("changes.txt"), (Lines{std::string(c.line) + target + " identitydb.001"}));
    }
}

TEST(Security, SystemPolicyIsPutInPlaceLikeTheUserPolicy)
{
    SecurityPackage package;
    EXPECT_TRUE(package.add("${java.home}/lib/security/system.policy", "", "", false));
    EXPECT_EQ(readFile(package.jre + "\\lib\\security\\system.policy"), "grant {};\n");
}

TEST(Security, KeystoreInTheUsersHomeAndProfileFolder)
{
    SecurityPackage package;
    EXPECT_TRUE(package.add("", "", "${user.home}/.keystore", false));
    EXPECT_EQ(readFile(package.windows + "\\.keystore"), "KEYSTORE");
    EXPECT_EQ(readFile(package.windows + "\\profiles\\user1\\.keystore"), "KEYSTORE");
}

TEST(Security, LoginNameFromTheDefaultUserWhenUserNameIsEmpty)
{
    SecurityPackage package;
    package.userName.setString("");
    package.defaultUserName.setString("admin");
    EXPECT_TRUE(package.add("", "", "${user.home}/.keystore", false));
    EXPECT_TRUE(fileExists(package.windows + "\\profiles\\admin\\.keystore"));
}

TEST(Security, IdentityDatabaseEntryWins)
{
    SecurityPackage package;
    fs::create_directories(package.jre + "\\lib\\security");
    fs::create_directories("Data");
    std::string data = package.native() + "\\Data";
    std::string slashed = data;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    writeFile(package.jre + "\\lib\\security\\java.security",
              "# security properties\nidentity.database=" + slashed + "//identitydb.obj\n");
    EXPECT_TRUE(package.add("", "", "${user.home}/.keystore", false));
    EXPECT_EQ(readFile(data + "\\identitydb.obj"), "KEYSTORE");
    EXPECT_FALSE(fileExists(package.windows + "\\.keystore"));
    EXPECT_FALSE(fileExists(package.windows + "\\profiles"));
}

TEST(Security, KeystoreInASubfolderGetsNoProfileCopy)
{
    SecurityPackage package;
    EXPECT_FALSE(package.add("", "", "${user.home}/sub/.keystore", false));
    EXPECT_EQ(readFile(package.windows + "\\sub\\.keystore"), "KEYSTORE");
    EXPECT_FALSE(fileExists(package.windows + "\\profiles"));
    EXPECT_TRUE(SecurityPackage::traced("unable to find login name in registry"));
}

TEST(Security, MissingLoginNameIsTracedTwice)
{
    SecurityPackage package;
    package.userName.setString("");
    EXPECT_FALSE(package.add("", "", "${user.home}/.keystore", false));
    EXPECT_TRUE(fileExists(package.windows + "\\.keystore")) << "the home copy is made already";
    Lines trace = readLogLines("jinstall.log");
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "unable to find login name in registry"), 2);
}

TEST(Security, FileNamesWithoutAFolderAndWithoutAToken)
{
    {
        SCOPED_TRACE("${user.home} followed by a name");
        SecurityPackage package;
        fs::remove(".keystore");
        EXPECT_FALSE(package.add("", "", "${user.home}.keystore", false)) << "no source file to copy";
        EXPECT_FALSE(fileExists(package.windows + "\\.keystore"));
        writeFile(".keystore", "KEYSTORE");
        EXPECT_FALSE(package.add("", "", "${user.home}.keystore", false)) << "no profile folder for this form";
        EXPECT_EQ(readFile(package.windows + "\\.keystore"), "KEYSTORE");
    }
    {
        SCOPED_TRACE("${java.home} followed by a name goes into the JVM's home");
        SecurityPackage package;
        EXPECT_TRUE(package.add("", "${java.home}java.policy", "", false));
        EXPECT_EQ(readFile(package.jre + "\\java.policy"), readFile("java.policy"));
    }
    {
        SCOPED_TRACE("no token");
        SecurityPackage package;
        EXPECT_TRUE(package.add("", "java.policy", "", false));
        EXPECT_TRUE(package.add("", "lib/security/java.policy", "", false));
        EXPECT_TRUE(fs::is_empty(package.jre));
        EXPECT_FALSE(fs::exists("lib"));
        EXPECT_EQ(readLogLines("jinstall.log"), Lines{});
    }
}

TEST(Security, KeystoreSourceThatCannotBeResolved)
{
    SecurityPackage package;
    writeFile("jre\\lib", "a file where the folder should be");
    EXPECT_FALSE(package.add("", "", "${java.home}/lib/security/.keystore", false));
    EXPECT_TRUE(SecurityPackage::traced("unable to create security directory " + package.jre + "\\lib\\security"));
    EXPECT_TRUE(SecurityPackage::traced("unable to get destination ${java.home}/lib/security/.keystore"));
}
