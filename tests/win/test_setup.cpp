// Setup programs that qivpack made, started from a Downloads folder as a user starts them: they unpack
// into a folder of their own under %TEMP%, run the package and leave nothing of it behind.
#include "fakejvm.h"
#include "programrun.h"
#include "regscope.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

namespace fs = std::filesystem;

namespace {

struct Downloads : TestFolder {
    ScopedUserLocale locale{"English_United States.1252"};
    ScopedRegKey javaSoft{HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft"};
    std::string setup = native() + "\\Test App 2.1 setup.exe";
    Downloads() : TestFolder("Downloads") { fs::copy_file(programFromEnvironment("QIV_SETUP"), setup); }
};

// What lies in %TEMP%: after a setup, nothing of its package may be left there.
std::vector<std::string> tempEntries()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(temp)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Runs setups to their ends, answering every box; returns the boxes' texts.
std::vector<std::string> finish(std::vector<ProgramRun*> runs)
{
    std::vector<std::string> texts;
    waitUntil([&] {
        for (const std::string& text : answerAnyBoxes()) texts.push_back(text);
        return std::none_of(runs.begin(), runs.end(), [](ProgramRun* run) { return run->running(); });
    }, 60000);
    for (ProgramRun* run : runs) EXPECT_TRUE(run->waitForExit(1000));
    return texts;
}

} // namespace

// Two silent setups at once: each in its own folder, each with its own target folder, both cleaned up.
TEST(Setup, SilentSetupsSucceedSideBySideAndLeaveNothingInTemp)
{
    Downloads downloads;
    FakeJvmHome jvm("jre6", {"bin\\javaw.exe"}, {"result=1.6.0_20", "wizard=start"});
    downloads.javaSoft.setString("JavaHome", jvm.home, "Java Runtime Environment\\1.6");
    std::vector<std::string> before = tempEntries();
    const std::string targets[] = {"C:\\Program Files\\My App", "C:\\Program Files\\My App 2"};
    ProgramRun first(downloads.setup, "-q \"" + targets[0] + "\"", downloads.native());
    ProgramRun second(downloads.setup, "-q \"" + targets[1] + "\"", downloads.native());
    EXPECT_EQ(finish({&first, &second}), std::vector<std::string>{});
    EXPECT_EQ(first.exitCode(), 0u);
    EXPECT_EQ(second.exitCode(), 0u);
    EXPECT_EQ(tempEntries(), before);

    std::vector<std::string> folders, targetsSeen;
    for (const auto& call : jvm.calls()) {
        auto q = std::find(call.begin(), call.end(), "-q");
        if (q == call.end()) continue;
        folders.push_back(call[0]);
        std::string target; // a target with blanks reaches the wizard as words
        for (auto word = q + 1; word != call.end(); ++word) target += (target.empty() ? "" : " ") + *word;
        targetsSeen.push_back(target);
    }
    std::sort(targetsSeen.begin(), targetsSeen.end());
    EXPECT_EQ(targetsSeen, std::vector<std::string>(std::begin(targets), std::end(targets))) << "the switches reach the wizards";
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_NE(folders[0], folders[1]) << "each setup has a folder of its own";
    EXPECT_EQ(readFile("package.log"), "unpacked\r\nunpacked\r\n") << "startdir.txt named this folder";
    EXPECT_FALSE(fileExists("errors.log"));
    EXPECT_FALSE(fileExists("cleanup.log")) << readFile("cleanup.log");
}

TEST(Setup, FailedRunShowsOneBoxAndExitsWithOne)
{
    Downloads downloads; // no JVM on the machine, and none in the package
    std::vector<std::string> before = tempEntries();
    ProgramRun run(downloads.setup, "", downloads.native());
    EXPECT_EQ(finish({&run}).size(), 1u);
    EXPECT_EQ(run.exitCode(), 1u);
    EXPECT_EQ(tempEntries(), before);
    EXPECT_FALSE(readLogLines("errors.log").empty()) << "the logs are in the Downloads folder";
}
