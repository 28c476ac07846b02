#include "fakejvm.h"
#include "jvm/findjvm.h"
#include "regscope.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <algorithm>

using Lines = std::vector<std::string>;

namespace {
// The JavaSoft keys of the machine, owned by one test, and a package folder with the test class.
struct Machine : TestFolder {
    ScopedRegKey javaSoft{HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft"};
    Machine() { writeFile("TestJvm.class", ""), writeFile("jinstall.log", ""); }
    // A version subkey whose home (named in valueName) holds a JVM reporting reported; gives its javaw.exe.
    std::string add(const std::string& subkey, const char* reported, const char* valueName = "JavaHome")
    {
        std::string result = std::string("result=java.version=") + reported;
        FakeJvmHome jvm("homes\\" + subkey, {"bin\\javaw.exe"}, {result.c_str()});
        javaSoft.setString(valueName, jvm.home, subkey.c_str());
        return jvm.home + "\\bin\\javaw.exe";
    }
    // The launcher found, or "" when the search fails.
    std::string search(const char* required, const char* name)
    {
        char found[pathSize] = "", command[launcherNameSize] = "javaw.exe", none[] = "";
        const JvmRequest request = {{required, "", ""}, "", name, command, "", none, none};
        return FindJvm().isJvmInstalled(request, found) ? found : "";
    }
};
const std::string runtime = "Java Runtime Environment\\";
} // namespace

// Subkeys are tried from the last in byte order, each version grown by its micro version; one without
// a usable home is passed over. The plug-in is searched under its own key, where a subkey without a
// micro version borrows the micro part of the required version.
TEST(FindJvm, RegistryCandidates)
{
    Machine machine;
    EXPECT_EQ(machine.search("1.10", "JRE"), "") << "no keys at all";
    machine.add(runtime + "1.3", "1.3.1");
    machine.javaSoft.setBytes("JavaHome", REG_DWORD, std::string("\x01\0\0\0", 4), (runtime + "1.9").c_str());
    machine.javaSoft.setString("MicroVersion", "1", (runtime + "1.6").c_str());
    std::string found = machine.add(runtime + "1.10", "1.10.0_01", "Home");
    machine.javaSoft.setString("MicroVersion", "1", (runtime + "1.10").c_str());
    EXPECT_EQ(machine.search("1.10", "JRE"), found) << "\"Home\" serves too";
    Lines tried, trace = readLogLines("jinstall.log");
    for (const std::string& line : trace)
        if (line.rfind("                 version ", 0) == 0) tried.push_back(line.substr(25));
    EXPECT_EQ(tried, (Lines{"1.9", "1.6", "1.3", "1.10"})) << "1.10 comes after 1.9";
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "found jvm version: 1.10.1"), 1) << "the version judged";

    machine.add(runtime + "1.4", "1.4.2_05-b01");
    machine.javaSoft.setString("MicroVersion", "2_05", (runtime + "1.4").c_str());
    std::string plugin = machine.add("Java Plug-in\\1.4", "1.4.2_05-b01");
    EXPECT_EQ(machine.search("1.4.2_05", "java plug-in"), plugin);
}
