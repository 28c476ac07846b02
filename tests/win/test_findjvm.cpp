#include "fakejvm.h"
#include "jvm/findjvm.h"
#include "regscope.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

namespace {

const char* const runtime = "Java Runtime Environment";

// The JavaSoft keys of the machine, owned by one test, and a package folder with the test class.
struct Machine : TestFolder {
    ScopedRegKey javaSoft{HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft"};
    Machine()
    {
        writeFile("TestJvm.class", "");
        writeFile("jinstall.log", "");
    }

    // A version subkey of a product with a JVM home that reports reported.
    FakeJvmHome add(const char* product, const char* version, const char* reported, const char* micro = nullptr)
    {
        FakeJvmHome jvm(std::string("homes\\") + product + "\\" + version, {"bin\\javaw.exe"},
                        {(std::string("result=java.version=") + reported).c_str()});
        std::string subkey = std::string(product) + "\\" + version;
        javaSoft.setString("JavaHome", jvm.home, subkey.c_str());
        if (micro) javaSoft.setString("MicroVersion", micro, subkey.c_str());
        return jvm;
    }

    struct Result {
        bool found;
        std::string path, name;
    };
    Result search(const char* required, const char* min, const char* name = "JRE", const char* command = "javaw.exe")
    {
        char jvmCommand[launcherNameSize], path[pathSize] = "", none[] = "";
        std::strcpy(jvmCommand, command);
        const JvmRequest request = {{required, min, ""}, "", name, jvmCommand, "", none, none};
        FindJvm finder;
        bool found = finder.isJvmInstalled(request, path);
        return {found, path, jvmCommand};
    }

    // The version subkeys in the order in which they were tried.
    static Lines triedVersions()
    {
        Lines tried;
        for (const std::string& line : readLogLines("jinstall.log"))
            if (line.rfind("                 version ", 0) == 0) tried.push_back(line.substr(25));
        return tried;
    }
};

} // namespace

TEST(FindJvm, HighestVersionNameIsTriedFirstInByteOrder)
{
    Machine machine;
    machine.add(runtime, "1.3", "1.3.1");
    machine.add(runtime, "1.4.2_05", "1.4.2_05");
    machine.add(runtime, "1.6", "1.6.0");
    machine.add(runtime, "1.9", "1.9.0");
    machine.add(runtime, "1.10", "1.10.0");
    auto result = machine.search("1.10", "");
    ASSERT_TRUE(result.found);
    EXPECT_EQ(result.path, machine.native() + "\\homes\\" + runtime + "\\1.10\\bin\\javaw.exe");
    EXPECT_EQ(Machine::triedVersions(), (Lines{"1.9", "1.6", "1.4.2_05", "1.3", "1.10"}))
        << "byte order, not numeric order: 1.10 comes last";
}

TEST(FindJvm, MicroVersionExtendsTheCandidate)
{
    Machine machine;
    machine.add(runtime, "1.6", "1.6.0_07");
    machine.add(runtime, "1.6.0_07", "1.6.0_07", "0");
    auto result = machine.search("1.6.0_07", "");
    ASSERT_TRUE(result.found);
    EXPECT_NE(result.path.find("1.6.0_07\\bin"), std::string::npos) << "the full subkey comes first";
    Lines trace = readLogLines("jinstall.log");
    EXPECT_NE(std::find(trace.begin(), trace.end(), "found jvm version: 1.6.0_07.0"), trace.end())
        << "the registry version is judged as 1.6.0_07.0";
}

TEST(FindJvm, JavaPluginSearchesThePluginKeyOnlyWithTheMicroPartOfTheControlFile)
{
    for (const char* name : {"Java Plug-in", "java plug-in"}) {
        SCOPED_TRACE(name);
        Machine machine;
        machine.add(runtime, "1.4", "1.4.2_05");
        machine.add("Java Plug-in", "1.4", "1.4.2_05");
        auto result = machine.search("1.4.2_05", "", name);
        ASSERT_TRUE(result.found);
        EXPECT_NE(result.path.find("Java Plug-in"), std::string::npos);
        Lines trace = readLogLines("jinstall.log");
        EXPECT_NE(std::find(trace.begin(), trace.end(), "found jvm version: 1.4.2_05"), trace.end());
        EXPECT_NE(std::find(trace.begin(), trace.end(), "no known minor version for SOFTWARE\\JavaSoft\\Java Plug-in"),
                  trace.end());
        EXPECT_EQ(std::count_if(trace.begin(), trace.end(),
                                [](const std::string& l) { return l.find("registry entry had") != std::string::npos; }),
                  1);
    }
    Machine machine;
    machine.add("Java Plug-in", "1.4", "1.4.1_07");
    auto result = machine.search("", "1.3.1", "Java Plug-in");
    EXPECT_TRUE(result.found);
    Lines trace = readLogLines("jinstall.log");
    EXPECT_NE(std::find(trace.begin(), trace.end(), "found jvm version: 1.4.1"), trace.end())
        << "the micro part of the minimum version";
}

TEST(FindJvm, NoJavaSoftKeysAtAll)
{
    Machine machine;
    auto result = machine.search("1.4", "", "JRE", "jrew.exe");
    EXPECT_FALSE(result.found);
    EXPECT_EQ(result.name, "jrew.exe");
    EXPECT_EQ(readLogLines("jinstall.log"),
              (Lines{"unable to find a compatible Jvm", "JRE registry entry had correct jvm info: false",
                     "unable to find a compatible Jvm", "JDK registry entry had correct jvm info: false",
                     "unable to find a compatible Jvm", "Java Plugin registry entry had correct jvm info: false"}));
}

TEST(FindJvm, RuntimeWithOnlyJavaInBinAnswersForJre)
{
    Machine machine;
    FakeJvmHome jvm("homes\\jre6", {"bin\\java.exe"}, {"result=1.6.0_20"});
    machine.javaSoft.setString("JavaHome", jvm.home, "Java Runtime Environment\\1.6");
    auto result = machine.search("1.6", "", "JRE", "jre.exe");
    ASSERT_TRUE(result.found);
    EXPECT_EQ(result.name, "java.exe");
    EXPECT_EQ(result.path, jvm.home + "\\bin\\java.exe");
}

TEST(FindJvm, BrokenCandidatesAreTracedAndPassedOver)
{
    Machine machine;
    machine.add("Java Development Kit", "1.5", "1.5.0");
    machine.javaSoft.setString("Home", machine.native() + "\\homes\\Java Development Kit\\1.5",
                               "Java Development Kit\\1.5.0");
    machine.javaSoft.setString("MicroVersion", "1", "Java Development Kit\\1.6"); // no home at all
    machine.javaSoft.setBytes("JavaHome", REG_DWORD, std::string("\x01\0\0\0", 4), "Java Development Kit\\1.7");
    auto result = machine.search("", "1.5");
    ASSERT_TRUE(result.found);
    Lines trace = readLogLines("jinstall.log");
    EXPECT_NE(std::find(trace.begin(), trace.end(), "no home directory for jvm "), trace.end());
    EXPECT_EQ(Machine::triedVersions(), (Lines{"1.7", "1.6", "1.5.0"})) << "\"Home\" serves when \"JavaHome\" is missing";
}
