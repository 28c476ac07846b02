#include "fakejvm.h"
#include "jvm/findjvm.h"
#include "regscope.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using Lines = std::vector<std::string>;

namespace {
// The JavaSoft keys of the machine, owned by one test, and a package folder with the test class.
struct Machine : TestFolder {
    ScopedRegKey javaSoft{HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft"};
    Machine()
    {
        writeFile("TestJvm.class", "");
        writeFile("jinstall.log", "");
    }
    // A version subkey whose home (named in valueName) holds a JVM reporting reported.
    void add(const std::string& subkey, const char* reported, const char* valueName = "JavaHome")
    {
        std::string result = std::string("result=java.version=") + reported;
        FakeJvmHome jvm("homes\\" + subkey, {"bin\\java.exe", "bin\\javaw.exe"}, {result.c_str()});
        javaSoft.setString(valueName, jvm.home, subkey.c_str());
    }
    bool search(const char* required, const char* min, const char* name, char* command, std::string& path)
    {
        char found[pathSize] = "", none[] = "";
        const JvmRequest request = {{required, min, ""}, "", name, command, "", none, none};
        bool ok = FindJvm().isJvmInstalled(request, found);
        path = found;
        return ok;
    }
};
const std::string runtime = "Java Runtime Environment\\";
} // namespace

// Subkeys are tried from the last in byte order; one without a usable home is passed over.
TEST(FindJvm, CandidatesInReverseByteOrder)
{
    Machine machine;
    machine.add(runtime + "1.3", "1.3.1");
    machine.javaSoft.setBytes("JavaHome", REG_DWORD, std::string("\x01\0\0\0", 4), (runtime + "1.9").c_str());
    machine.javaSoft.setString("MicroVersion", "1", (runtime + "1.6").c_str());
    machine.add(runtime + "1.10", "1.10.0", "Home");
    char command[launcherNameSize] = "javaw.exe";
    std::string path;
    ASSERT_TRUE(machine.search("1.10", "", "JRE", command, path));
    EXPECT_EQ(path, machine.native() + "\\homes\\" + runtime + "1.10\\bin\\javaw.exe") << "\"Home\" serves too";
    Lines tried, trace = readLogLines("jinstall.log");
    for (const std::string& line : trace)
        if (line.rfind("                 version ", 0) == 0) tried.push_back(line.substr(25));
    EXPECT_EQ(tried, (Lines{"1.9", "1.6", "1.3", "1.10"})) << "1.10 comes after 1.9";
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "no home directory for jvm "), 1);
}

// The version judged against the rules: the subkey, grown by its micro version; a plug-in subkey
// without one borrows the micro part of the control file's version.
TEST(FindJvm, MicroVersionAndPluginKey)
{
    struct Row {
        const char *what, *name, *required, *min, *command;
        Lines keys;
        const char *micro, *reported;
        std::string path, launcher, judged;
        bool borrowed;
        int products;
    } rows[] = {
        {"micro version; jre answers as java", "JRE", "1.6.0_07", "", "jre.exe", {"1.6", "1.6.0_07"}, "0", "1.6.0_07",
         runtime + "1.6.0_07", "java.exe", "1.6.0_07.0", false, 1},
        {"plug-in: micro of the required version", "java plug-in", "1.4.2_05", "", "javaw.exe", {"1.4"}, nullptr,
         "1.4.2_05-b01", "Java Plug-in\\1.4", "javaw.exe", "1.4.2_05", true, 1},
        {"plug-in: micro of the minimum", "Java Plug-in", "", "1.3.1", "javaw.exe", {"1.4"}, nullptr, "1.4.1_07",
         "Java Plug-in\\1.4", "javaw.exe", "1.4.1", true, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        Machine machine;
        for (const std::string& key : r.keys) {
            machine.add(runtime + key, r.reported);
            machine.add("Java Plug-in\\" + key, r.reported);
        }
        if (r.micro) machine.javaSoft.setString("MicroVersion", r.micro, (runtime + r.keys.back()).c_str());
        char command[launcherNameSize];
        std::strcpy(command, r.command);
        std::string path;
        ASSERT_TRUE(machine.search(r.required, r.min, r.name, command, path));
        EXPECT_EQ(path, machine.native() + "\\homes\\" + r.path + "\\bin\\" + r.launcher);
        EXPECT_EQ(std::string(command), r.launcher);
        Lines trace = readLogLines("jinstall.log");
        auto has = [&](const std::string& line) { return std::count(trace.begin(), trace.end(), line) == 1; };
        EXPECT_TRUE(has("found jvm version: " + r.judged));
        EXPECT_EQ(has("no known minor version for SOFTWARE\\JavaSoft\\Java Plug-in"), r.borrowed);
        EXPECT_EQ(std::count_if(trace.begin(), trace.end(),
                                [](const std::string& l) { return l.find("registry entry had") != std::string::npos; }),
                  r.products);
    }
}

TEST(FindJvm, NoJavaSoftKeysAtAll)
{
    Machine machine;
    char command[launcherNameSize] = "jrew.exe";
    std::string path;
    EXPECT_FALSE(machine.search("1.4", "", "JRE", command, path));
    EXPECT_STREQ(command, "jrew.exe");
    EXPECT_EQ(readLogLines("jinstall.log"),
              (Lines{"unable to find a compatible Jvm", "JRE registry entry had correct jvm info: false",
                     "unable to find a compatible Jvm", "JDK registry entry had correct jvm info: false",
                     "unable to find a compatible Jvm", "Java Plugin registry entry had correct jvm info: false"}));
}
