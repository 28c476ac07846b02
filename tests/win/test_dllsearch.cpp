// A DLL planted in the package folder under a name the program probes for is never loaded. This
// executable and the programs it starts run with WINEDLLOVERRIDES asking for native DLLs of those names
// first, so that nothing but the search order stands between the plants and the process.
#include "programrun.h"
#include "support/syslib.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace fs = std::filesystem;

// An unrestricted load from the package folder takes each plant; the program's probes, which load from
// the system folder alone, do not, and neither does the program as it runs from there (it probes
// shell32 for the documents folder on Windows 7).
TEST(DllSearch, NeitherTheProbesNorTheProgramLoadAPlantedDll)
{
    TestFolder folder;
    // Wine's user32 loads uxtheme by name once the program's windows are up.
    for (const char* plant : {"qivplant.dll", "shell32.dll", "uxtheme.dll"})
        fs::copy_file(programFromEnvironment("QIV_PLANTDLL"), plant);
    std::string self(MAX_PATH, '\0');
    self.resize(GetModuleFileNameA(nullptr, self.data(), MAX_PATH));
    fs::copy_file(self, "probe.exe");
    for (const char* plant : {"qivplant.dll", "shell32.dll"}) {
        ProgramRun unrestricted(folder.native() + "\\probe.exe", std::string("--load-unrestricted ") + plant,
                                folder.native());
        ASSERT_TRUE(unrestricted.waitForExit(10000));
        ASSERT_TRUE(fileExists("planted-dll-loaded.txt")) << plant << " was not taken: the test proves nothing";
        fs::remove("planted-dll-loaded.txt");
    }
    EXPECT_EQ(loadSystemLibrary("qivplant.dll"), nullptr);
    EXPECT_NE(loadSystemLibrary("KERNEL32.DLL"), nullptr) << "a real system DLL is still found";

    fs::copy_file(programFromEnvironment("QIV_PROGRAM"), "qivstart.exe");
    writeFile("qiv.control", "jvmRequiredVersion=1.4\r\njvmSelfExtractor=jre-archive.exe\r\n"
                             "predefinedJvmInstallDir=[$ProgFilesDir]\\MyApp\\jre\r\n");
    for (const char* empty : {"jre-archive.exe", "jinstall.log"}) writeFile(empty, "");
    ProgramRun run(folder.native() + "\\qivstart.exe", "-q x", folder.native());
    ASSERT_TRUE(waitUntil([&] {
        run.answerBoxes();
        return !run.running();
    }, 20000));
    EXPECT_FALSE(fileExists("planted-dll-loaded.txt")) << "a planted DLL was loaded";
    std::vector<std::string> trace = readLogLines("jinstall.log");
    EXPECT_NE(std::find(trace.begin(), trace.end(), "vista/7: true"), trace.end()) << "the probes did run";
}

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--load-unrestricted") == 0) return LoadLibraryA(argv[2]) ? 0 : 1;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
