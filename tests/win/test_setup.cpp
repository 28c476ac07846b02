// Setup programs made by qivpack, started from a Downloads folder: nothing of their packages stays behind.
#include "fakejvm.h"
#include "programrun.h"
#include "regscope.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fs = std::filesystem;

// Two silent setups at once, then one that fails: no JVM on the machine and none in the package.
TEST(Setup, SilentSetupsSideBySideThenAFailure)
{
    TestFolder downloads("Downloads");
    ScopedUserLocale locale("English_United States.1252");
    ScopedRegKey javaSoft(HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft");
    FakeJvmHome jvm("..\\jre6", {"bin\\javaw.exe"}, {"result=1.6.0_20", "wizard=start"});
    javaSoft.setString("JavaHome", jvm.home, "Java Runtime Environment\\1.6");
    const std::string setup = "My App 2.1 setup.exe";
    // Each of the two runs at once starts from a folder of its own, where its logs go.
    for (const char* folder : {".", "one", "two"}) {
        fs::create_directories(folder);
        fs::copy_file(programFromEnvironment("QIV_SETUP"), std::string(folder) + "\\" + setup);
    }
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    auto inTemp = [&] { return std::distance(fs::directory_iterator(temp), fs::directory_iterator()); };
    const auto before = inTemp();
    std::size_t boxes = 0;
    auto exitCode = [&](ProgramRun& run) { // answers the boxes on the way, and counts them
        waitUntil([&] { boxes += run.answerBoxes(true).size(); return !run.running(); }, 60000);
        return run.waitForExit(1000) ? run.exitCode() : STILL_ACTIVE;
    };

    const std::string first = downloads.native() + "\\one", second = downloads.native() + "\\two";
    ProgramRun one(first + "\\" + setup, "-q \"C:\\Program Files\\App 1\"", first);
    ProgramRun two(second + "\\" + setup, "-q \"C:\\Program Files\\App 2\"", second);
    EXPECT_EQ(exitCode(one) + exitCode(two), 0u);
    EXPECT_EQ(inTemp(), before) << "nothing of either package is left in %TEMP%";
    std::vector<std::string> folders, targets; // a target with blanks reaches the wizard in words
    for (const auto& call : jvm.calls())
        if (call.size() == 9 && call[4] == "Main")
            folders.push_back(call[0]), targets.push_back(call[5] + " " + call[6] + " " + call[7] + " " + call[8]);
    std::sort(targets.begin(), targets.end());
    EXPECT_EQ(targets, (std::vector<std::string>{"-q C:\\Program Files\\App 1", "-q C:\\Program Files\\App 2"}));
    EXPECT_TRUE(folders.size() == 2 && folders[0] != folders[1]) << "each setup has a folder of its own";
    for (const std::string& folder : {first, second}) {
        EXPECT_EQ(readFile(folder + "\\package.log"), "unpacked\r\n") << "startdir.txt named " << folder;
        EXPECT_FALSE(fileExists(folder + "\\cleanup.log")) << readFile(folder + "\\cleanup.log");
    }

    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft\\Java Runtime Environment");
    ProgramRun failing(downloads.native() + "\\" + setup, "", downloads.native());
    EXPECT_EQ(exitCode(failing), 1u);
    EXPECT_EQ(boxes, 1u) << "one error box";
    EXPECT_EQ(inTemp(), before);
    EXPECT_FALSE(readLogLines("errors.log").empty()) << "the logs are in the Downloads folder";
}
