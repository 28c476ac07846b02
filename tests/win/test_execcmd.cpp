#include "exec/execcmd.h"
#include "programrun.h"
#include "testfiles.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {
// The fake installer in a folder of the package, and the log of its starts.
std::string installer(const std::string& folder)
{
    fs::create_directories(folder);
    std::string path = fs::canonical(folder).string() + "\\setup.exe";
    fs::copy_file(programFromEnvironment("QIV_FAKEINSTALLER"), path);
    return path;
}
Lines calls(const std::string& program)
{
    return readPlainLines(fs::path(program).parent_path() / "fakeinstaller-calls.txt");
}
} // namespace

TEST(ExecCommand, RunsAProgramWhosePathHasBlanksAndWaitsForIt)
{
    TestFolder folder;
    writeFile("jinstall.log", "");
    writeFile("jdebug.log", "");
    std::string program = installer("Program Files\\App"), quoted = "\"" + program + "\"";
    ExecCommand command;
    EXPECT_TRUE(command.execCommand(program.c_str(), "-a  -b"));
    EXPECT_TRUE(command.execCommand(program.c_str(), nullptr));
    std::string start = folder.native() + "|" + program + "|";
    EXPECT_EQ(calls(program), (Lines{start + "-a|-b|", start})) << "both ran and ended; argument 0 unquoted";
    EXPECT_EQ(readLogLines("jdebug.log"), (Lines{"formattedCommand " + quoted, "formattedCommand " + quoted}));
    EXPECT_EQ(readLogLines("jinstall.log"), (Lines{"about to execute command: " + quoted,
                                                   "about to execute command: " + quoted}));
    EXPECT_FALSE(fileExists("errors.log"));
}

TEST(ExecCommand, FailureLinesGoToTheLogsItWasGiven)
{
    TestFolder folder;
    fs::create_directory("start");
    std::string errors = folder.native() + "\\start\\errors.log", trace = folder.native() + "\\start\\jinstall.log";
    writeFile(trace, "");
    ExecCommand command;
    command.setErrorsFilename(errors.c_str());
    command.setTraceFilename(trace.c_str());
    command.setTraceFilename(std::string(6000, 'x').c_str()); // refused: too long for its buffer
    EXPECT_FALSE(command.execCommand("C:\\Temp dir\\setup.exe", nullptr));
    Lines failure{"Unable to execute command: \"C:\\Temp dir\\setup.exe\"", "                   result -1",
                  "                    errno 2"};
    EXPECT_EQ(readLogLines(errors), failure);
    failure.insert(failure.begin(), "about to execute command: \"C:\\Temp dir\\setup.exe\"");
    EXPECT_EQ(readLogLines(trace), failure);
    EXPECT_FALSE(fileExists("errors.log"));
}

// The launch goes through a batch file that deletes its marker; neither may stay behind, except the
// marker of a launch whose batch file could not be written.
TEST(ExecCmdAndWait, RunsTheCommandThroughTheLaunchBatchFile)
{
    TestFolder folder;
    std::string program = installer("bin");
    ExecCommand command;
    fs::create_directory("__qivlaunch.bat");
    EXPECT_FALSE(command.execCmdAndWait(program.c_str(), nullptr));
    EXPECT_TRUE(fileExists("__qivwait.sem"));
    fs::remove("__qivwait.sem");
    fs::create_directory("__qivwait.sem");
    EXPECT_FALSE(command.execCmdAndWait(program.c_str(), nullptr));
    EXPECT_EQ(readLogLines("errors.log"),
              (Lines{"Unable to create file __qivlaunch.bat", "Unable to create file __qivwait.sem"}));
    fs::remove("__qivwait.sem");
    fs::remove("__qivlaunch.bat");

    ASSERT_TRUE(command.createLaunchFile("setup.exe", "/s"));
    EXPECT_EQ(readFile("__qivlaunch.bat"), "@echo off\r\nsetup.exe /s\r\ndel __qivwait.sem\r\n");
    EXPECT_EQ(readFile("__qivwait.sem"), "\r\n");
    EXPECT_TRUE(command.execCmdAndWait(program.c_str(), "/s"));
    EXPECT_EQ(calls(program), (Lines{folder.native() + "|" + program + "|/s|"})) << "the failed launches ran nothing";
    EXPECT_FALSE(fileExists("__qivwait.sem")) << "the batch file deleted its marker";
    EXPECT_FALSE(fileExists("__qivlaunch.bat"));
}
