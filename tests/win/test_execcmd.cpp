#include "exec/execcmd.h"
#include "programrun.h"
#include "testfiles.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// The quoted command is the child's command line, but the file started is named without the quotes;
// what cannot start is reported in the logs the runner was given, as the archive's runner in its
// target folder needs.
TEST(ExecCommand, StartsAPathWithBlanksAndReportsWhatCannotStart)
{
    TestFolder folder;
    fs::create_directories("Program Files\\App");
    std::string program = folder.native() + "\\Program Files\\App\\setup.exe";
    fs::copy_file(programFromEnvironment("QIV_FAKEINSTALLER"), program);
    std::string errors = folder.native() + "\\start-errors.log", trace = folder.native() + "\\start-trace.log";
    writeFile(trace, "");
    ExecCommand command;
    command.setErrorsFilename(errors.c_str());
    command.setTraceFilename(trace.c_str());
    command.setTraceFilename(std::string(6000, 'x').c_str()); // refused: too long for its buffer
    EXPECT_TRUE(command.execCommand(program.c_str(), "-a -b"));
    EXPECT_EQ(readPlainLines("Program Files\\App\\fakeinstaller-calls.txt"),
              (Lines{folder.native() + "|" + program + "|-a|-b|"})) << "it ran and ended";

    EXPECT_FALSE(command.execCommand("C:\\Temp dir\\setup.exe", nullptr));
    Lines failure{"Unable to execute command: \"C:\\Temp dir\\setup.exe\"", "                   result -1",
                  "                    errno 2"};
    EXPECT_EQ(readLogLines(errors), failure);
    EXPECT_EQ(readLogLines(trace).back(), failure.back());
    EXPECT_FALSE(fileExists("errors.log"));
}
