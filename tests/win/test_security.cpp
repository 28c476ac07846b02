// The Java security files put in place below the JVM's or the user's home, backed up on the Java
// Plug-in path, the keystore also in the user's profile folder or where the identity database says.
#include "regscope.h"
#include "security/security.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using Files = std::map<std::string, std::string>; // path below the package folder: bytes

TEST(Security, EachFileLandsWhereItsNameSaysAndNothingIsOverwritten)
{
    const char* const winlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
    const std::string policy = "grant { permission java.security.AllPermission; };\n", sec = "jre\\lib\\security\\";
    const char *const jvmPolicy = "${java.home}/lib/security/java.policy", *const keystore = "${user.home}/.keystore";
    // after: every file besides the package's own
    struct Case { const char* what; Files before; const char *systemPolicy, *userPolicy, *keystore; bool backup; Files after;
                  Lines trace; } cases[] = {
        {"both policies, and the keystore in the home and profile folders", {},
         "${java.home}/lib/security/system.policy", jvmPolicy, keystore, false,
         {{sec + "java.policy", policy}, {sec + "system.policy", "grant {};\n"}, {"WINDOWS\\.keystore", "KEYSTORE"},
          {"WINDOWS\\profiles\\user1\\.keystore", "KEYSTORE"}}, {}},
        {"an existing policy without backup", {{sec + "java.policy", "own"}}, "", jvmPolicy, "", false,
         {{sec + "java.policy", "own"}}, {}},
        {"the Java Plug-in's backup, recorded in the user's language",
         {{sec + "java.policy", "own"}, {"changes.txt", "x\r\n"}}, "", jvmPolicy, "", true,
         {{sec + "java.policy", policy}, {sec + "java.001", "own"},
          {"changes.txt", "x\r\nReagrupado  a {dir}\\jre\\lib\\security\\java.policy identitydb.001\r\n"}}, {}},
        {"the identity database wins", {{sec + "java.security", "#\nidentity.database={dir}//Data//identitydb.obj\n"}},
         "", "", keystore, false,
         {{sec + "java.security", "#\nidentity.database={dir}//Data//identitydb.obj\n"},
          {"Data\\identitydb.obj", "KEYSTORE"}}, {}},
        {"a name that reaches out of its folder", {}, "", "${user.home}/../jre/java.policy", "", false, {},
         {"not copying a security file outside its folder: ${user.home}/../jre/java.policy"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestFolder folder;
        auto expand = [&](std::string text) {
            for (std::size_t at; (at = text.find("{dir}")) != std::string::npos;) text.replace(at, 5, folder.native());
            return text;
        };
        ScopedUserLocale locale("Spanish_Spain.1252");
        ScopedRegValue userName{HKEY_LOCAL_MACHINE, winlogon, "UserName"};
        ScopedRegValue defaultUserName{HKEY_LOCAL_MACHINE, winlogon, "DefaultUserName"};
        userName.setString("user1");
        defaultUserName.remove();
        Files own = {{"java.policy", policy}, {"system.policy", "grant {};\n"}, {".keystore", "KEYSTORE"},
                     {"jinstall.log", ""}};
        for (const auto& file : own) writeFile(file.first, file.second);
        for (const char* dir : {"jre", "WINDOWS"}) fs::create_directories(dir);
        for (const auto& file : c.before) {
            if (fs::path(file.first).has_parent_path()) fs::create_directories(fs::path(file.first).parent_path());
            writeFile(file.first, expand(file.second));
        }
        std::string jre = folder.native() + "\\jre", windows = folder.native() + "\\WINDOWS";
        Security security;
        EXPECT_TRUE(security.addSecurity(c.systemPolicy, c.userPolicy, c.keystore, jre.c_str(), windows.c_str(), c.backup));
        Files after, expected;
        for (const auto& entry : fs::recursive_directory_iterator(".")) {
            std::string name = entry.path().lexically_relative(".").string();
            std::replace(name.begin(), name.end(), '/', '\\');
            if (entry.is_regular_file() && !own.count(name)) after[name] = readFile(entry.path());
        }
        for (const auto& file : c.after) expected[file.first] = expand(file.second);
        EXPECT_EQ(after, expected);
        Lines trace;
        for (const std::string& line : c.trace) trace.push_back(expand(line));
        EXPECT_EQ(readLogLines("jinstall.log"), trace);
    }
}
