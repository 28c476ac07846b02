// Security files land below the JVM's or the user's home (backups and the identity database: the rules' tables).
#include "regscope.h"
#include "security/security.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <map>

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using Files = std::map<std::string, std::string>; // path below the package folder: bytes

TEST(Security, EachFileLandsWhereItsNameSaysAndNothingIsOverwritten)
{
    const char* const winlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
    const std::string policy = "grant { permission java.security.AllPermission; };\n", sec = "jre\\lib\\security\\";
    const char *const jvmPolicy = "${java.home}/lib/security/java.policy", *const keystore = "${user.home}/.keystore";
    // after: every file besides the package's own
    struct Case { const char* what; Files before; const char *systemPolicy, *userPolicy, *keystore; Files after;
                  Lines trace; } cases[] = {
        {"both policies, and the keystore in the home and profile folders", {},
         "${java.home}/lib/security/system.policy", jvmPolicy, keystore,
         {{sec + "java.policy", policy}, {sec + "system.policy", "grant {};\n"}, {"WINDOWS\\.keystore", "KEYSTORE"},
          {"WINDOWS\\profiles\\user1\\.keystore", "KEYSTORE"}}, {}},
        {"an existing policy without backup", {{sec + "java.policy", "own"}}, "", jvmPolicy, "",
         {{sec + "java.policy", "own"}}, {}},
        {"a name that reaches out of its folder", {}, "", "${user.home}/../jre/java.policy", "", {},
         {"not copying a security file outside its folder: ${user.home}/../jre/java.policy"}},
    };
    ScopedRegValue userName{HKEY_LOCAL_MACHINE, winlogon, "UserName"};
    ScopedRegValue defaultUserName{HKEY_LOCAL_MACHINE, winlogon, "DefaultUserName"};
    userName.setString("user1");
    defaultUserName.remove();
    const Files own = {{"java.policy", policy}, {"system.policy", "grant {};\n"}, {".keystore", "KEYSTORE"},
                       {"jinstall.log", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestFolder folder;
        for (const auto& file : own) writeFile(file.first, file.second);
        for (const char* dir : {"jre", "WINDOWS"}) fs::create_directories(dir);
        for (const auto& file : c.before) {
            fs::create_directories(fs::path(file.first).parent_path());
            writeFile(file.first, file.second);
        }
        std::string jre = folder.native() + "\\jre", windows = folder.native() + "\\WINDOWS";
        EXPECT_TRUE(Security().addSecurity(c.systemPolicy, c.userPolicy, c.keystore, jre.c_str(), windows.c_str(),
                                           false));
        Files after;
        for (const auto& entry : fs::recursive_directory_iterator(".")) {
            std::string name = entry.path().lexically_relative(".").string();
            if (entry.is_regular_file() && !own.count(name)) after[name] = readFile(entry.path());
        }
        EXPECT_EQ(after, c.after);
        EXPECT_EQ(readLogLines("jinstall.log"), c.trace);
    }
}
