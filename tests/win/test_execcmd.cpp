#include "exec/execcmd.h"
#include "programrun.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {
// The fake installer placed in a folder of the package, with the log of its starts.
struct Installer {
    std::string path;
    explicit Installer(const std::string& folder)
    {
        fs::create_directories(folder);
        path = fs::canonical(folder).string() + "\\setup.exe";
        fs::copy_file(programFromEnvironment("QIV_FAKEINSTALLER"), path);
    }
    Lines calls() const { return readPlainLines(fs::path(path).parent_path() / "fakeinstaller-calls.txt"); }
};
} // namespace

TEST(ExecCommand, RunsAProgramWhosePathHasBlanksAndWaitsForIt)
{
    TestFolder folder;
    writeFile("jinstall.log", "");
    writeFile("jdebug.log", "");
    Installer installer("Program Files\\App");
    ExecCommand command;
    EXPECT_TRUE(command.execCommand(installer.path.c_str(), "-a -b"));
    ASSERT_EQ(installer.calls().size(), 1u) << "the program ran and ended before execCommand returned";
    EXPECT_EQ(installer.calls()[0], folder.native() + "|" + installer.path + "|-a|-b|") << "one argument 0, unquoted";

    std::string quoted = "\"" + installer.path + "\"";
    EXPECT_EQ(readLogLines("jdebug.log"), (Lines{"formattedCommand " + quoted}));
    EXPECT_EQ(readLogLines("jinstall.log"), (Lines{"about to execute command: " + quoted}));
    EXPECT_FALSE(fileExists("errors.log"));
}

TEST(ExecCommand, NullArgumentsAndEmptyWords)
{
    TestFolder folder;
    Installer installer("bin");
    ExecCommand command;
    EXPECT_TRUE(command.execCommand(installer.path.c_str(), nullptr));
    // An empty word is an empty element of the vector; the command line that carries it shows two blanks.
    EXPECT_TRUE(command.execCommand(installer.path.c_str(), "-a  -b"));
    Lines calls = installer.calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], folder.native() + "|" + installer.path + "|");
    EXPECT_EQ(calls[1], folder.native() + "|" + installer.path + "|-a|-b|");
}

TEST(ExecCommand, ProgramThatCannotStartWritesThreeFailureLines)
{
    TestFolder folder;
    writeFile("jinstall.log", "");
    ExecCommand command;
    EXPECT_FALSE(command.execCommand("C:\\Temp dir\\setup.exe", nullptr));
    Lines failure{"Unable to execute command: \"C:\\Temp dir\\setup.exe\"", "                   result -1",
                  "                    errno 2"};
    EXPECT_EQ(readLogLines("errors.log"), failure);
    Lines trace{"about to execute command: \"C:\\Temp dir\\setup.exe\""};
    trace.insert(trace.end(), failure.begin(), failure.end());
    EXPECT_EQ(readLogLines("jinstall.log"), trace);
}

TEST(ExecCommand, LogNamesCanBeSetForAnotherFolder)
{
    TestFolder folder;
    fs::create_directory("start");
    std::string errors = folder.native() + "\\start\\errors.log", trace = folder.native() + "\\start\\jinstall.log";
    writeFile(trace, "");
    ExecCommand command;
    command.setErrorsFilename(errors.c_str());
    command.setTraceFilename(trace.c_str());
    command.setTraceFilename(std::string(6000, 'x').c_str()); // refused: too long for its buffer
    EXPECT_STREQ(command.getTraceFilename(), trace.c_str());
    EXPECT_FALSE(command.execCommand("missing.exe", nullptr));
    EXPECT_EQ(readLogLines(errors).size(), 3u);
    EXPECT_EQ(readLogLines(trace).size(), 4u);
    EXPECT_FALSE(fileExists("errors.log"));
}

TEST(ExecCmdAndWait, RunsTheCommandThroughTheLaunchBatchFile)
{
    TestFolder folder;
    Installer installer("bin");
    ExecCommand command;
    ASSERT_TRUE(command.createLaunchFile("setup.exe", "/s"));
    EXPECT_EQ(readFile("__qivlaunch.bat"), "@echo off\r\nsetup.exe /s\r\ndel __qivwait.sem\r\n");
    EXPECT_EQ(readFile("__qivwait.sem"), "\r\n");
    fs::remove("__qivlaunch.bat");
    fs::remove("__qivwait.sem");

    EXPECT_TRUE(command.execCmdAndWait(installer.path.c_str(), "/s"));
    ASSERT_EQ(installer.calls().size(), 1u);
    EXPECT_EQ(installer.calls()[0], folder.native() + "|" + installer.path + "|/s|");
    EXPECT_FALSE(fileExists("__qivwait.sem")) << "the batch file deleted its marker";
    EXPECT_FALSE(fileExists("__qivlaunch.bat"));
}

TEST(ExecCmdAndWait, BatchFileThatCannotBeWritten)
{
    TestFolder folder;
    fs::create_directory("__qivlaunch.bat");
    ExecCommand command;
    EXPECT_FALSE(command.execCmdAndWait("setup.exe", nullptr));
    EXPECT_EQ(readLogLines("errors.log"), (Lines{"Unable to create file __qivlaunch.bat"}));
    EXPECT_TRUE(fileExists("__qivwait.sem")) << "the marker of a launch that never ran stays";

    fs::remove("__qivwait.sem");
    fs::create_directory("__qivwait.sem");
    EXPECT_FALSE(command.execCmdAndWait("setup.exe", nullptr));
    EXPECT_EQ(readLogLines("errors.log").back(), "Unable to create file __qivwait.sem");
}
