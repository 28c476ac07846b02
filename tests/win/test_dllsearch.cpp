// A DLL planted in the package folder under a name the program probes for is never loaded. This
// executable and the programs it starts run with WINEDLLOVERRIDES asking for a native shell32 first,
// so that nothing but the search order stands between the plant and the process.
#include "programrun.h"
#include "support/syslib.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace fs = std::filesystem;

// The program's probes load from the system folder alone, whatever the process's search order: a plant
// that an unrestricted load from the same folder takes is not loaded.
TEST(DllSearch, ProbesLoadFromTheSystemFolderOnly)
{
    TestFolder folder;
    fs::copy_file(programFromEnvironment("QIV_PLANTDLL"), "qivplant.dll");
    std::string self(MAX_PATH, '\0');
    self.resize(GetModuleFileNameA(nullptr, self.data(), MAX_PATH));
    {
        ProgramRun unrestricted(self, "--load-unrestricted qivplant.dll", folder.native());
        ASSERT_TRUE(unrestricted.waitForExit(10000));
        ASSERT_EQ(unrestricted.exitCode(), 0u) << "the plant could not be loaded at all: the test proves nothing";
    }
    fs::remove("planted-dll-loaded.txt");
    EXPECT_EQ(loadSystemLibrary("qivplant.dll"), nullptr);
    EXPECT_FALSE(fileExists("planted-dll-loaded.txt"));
    EXPECT_NE(loadSystemLibrary("KERNEL32.DLL"), nullptr) << "a real system DLL is still found";
}

// A probed system DLL planted in the package folder, next to the program as it runs from there, with
// Wine told to prefer a native DLL of that name: an unrestricted load from that folder takes the plant,
// the program's own probe (the documents folder on Windows 7) does not.
TEST(DllSearch, ProgramNeverLoadsAShell32PlantedInItsPackageFolder)
{
    TestFolder folder;
    fs::copy_file(programFromEnvironment("QIV_PLANTDLL"), "shell32.dll");
    // Wine's user32 loads this one by name once the program's windows are up.
    fs::copy_file(programFromEnvironment("QIV_PLANTDLL"), "uxtheme.dll");
    std::string self(MAX_PATH, '\0');
    self.resize(GetModuleFileNameA(nullptr, self.data(), MAX_PATH));
    fs::copy_file(self, "probe.exe");
    fs::copy_file(programFromEnvironment("QIV_PROGRAM"), "qivstart.exe");
    writeFile("qiv.control", "jvmRequiredVersion=1.4\r\njvmSelfExtractor=jre-archive.exe\r\n"
                             "predefinedJvmInstallDir=[$ProgFilesDir]\\MyApp\\jre\r\n");
    writeFile("jre-archive.exe", "");
    writeFile("jinstall.log", "");

    {
        ProgramRun unrestricted(folder.native() + "\\probe.exe", "--load-unrestricted shell32.dll", folder.native());
        ASSERT_TRUE(unrestricted.waitForExit(10000));
    }
    bool controlLoaded = fileExists("planted-dll-loaded.txt");
    fs::remove("planted-dll-loaded.txt");

    ProgramRun run(folder.native() + "\\qivstart.exe", "-q x", folder.native());
    bool ended = waitUntil(
        [&] {
            run.answerBoxes();
            return !run.running();
        },
        20000);
    ASSERT_TRUE(ended);
    ASSERT_TRUE(controlLoaded) << "an unrestricted load from the package folder would take the plant";
    EXPECT_FALSE(fileExists("planted-dll-loaded.txt")) << "the program loaded a planted DLL";
    std::vector<std::string> trace = readLogLines("jinstall.log");
    EXPECT_NE(std::find(trace.begin(), trace.end(), "vista/7: true"), trace.end()) << "the probes did run";
}

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--load-unrestricted") == 0) return LoadLibraryA(argv[2]) ? 0 : 1;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
