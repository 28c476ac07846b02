// A DLL planted in the package folder under a name the program probes for is never loaded. This
// executable runs with WINEDLLOVERRIDES asking for native DLLs of the planted name first, so that
// nothing but the search order stands between the plant and the process.
#include "programrun.h"
#include "support/syslib.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

namespace fs = std::filesystem;

namespace {
// The name a planted DLL carries here: our own, since Wine prefers its built-in system DLLs.
const char* const plantedName = "qivplant.dll";
} // namespace

TEST(DllSearch, PlantedDllIsFoundByAnUnrestrictedSearchButNotByTheProgramsLoads)
{
    TestFolder folder;
    fs::copy_file(programFromEnvironment("QIV_PLANTDLL"), plantedName);

    // Control: a process that searches the usual way, from this folder, does load the plant.
    std::string self(MAX_PATH, '\0');
    self.resize(GetModuleFileNameA(nullptr, self.data(), MAX_PATH));
    {
        ProgramRun unrestricted(self, "--load-unrestricted", folder.native());
        ASSERT_TRUE(unrestricted.waitForExit(10000));
        EXPECT_EQ(unrestricted.exitCode(), 0u) << "the plant could not be loaded at all: the test proves nothing";
    }
    ASSERT_TRUE(fileExists("planted-dll-loaded.txt"));
    fs::remove("planted-dll-loaded.txt");

    // The program's own way: the search restricted to the system folder first thing, probes from there.
    ASSERT_TRUE(SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32));
    EXPECT_EQ(loadSystemLibrary(plantedName), nullptr);
    EXPECT_EQ(LoadLibraryA(plantedName), nullptr);
    EXPECT_FALSE(fileExists("planted-dll-loaded.txt"));
    HMODULE kernel = loadSystemLibrary("KERNEL32.DLL");
    ASSERT_NE(kernel, nullptr) << "a real system DLL is still found";
}

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--load-unrestricted") == 0) return LoadLibraryA(plantedName) ? 0 : 1;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
