#include "support/log.h"
#include "support/trace.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Lines = std::vector<std::string>;

TEST(Log, LineIsTimestampBlankMessageAndCrLf)
{
    TestFolder folder;
    Log log;
    log.logMessage("errors.log", "Unable to open file qiv.control");
    std::string bytes = readFile("errors.log");
    ASSERT_EQ(bytes.size(), 24u + 1 + 31 + 2);
    EXPECT_TRUE(isTimestamp(bytes)) << bytes;
    EXPECT_EQ(bytes.substr(24), " Unable to open file qiv.control\r\n");
}

TEST(Log, FlagAndTwoPartForms)
{
    TestFolder folder;
    Log log;
    log.logMessage("a.log", "configureWinRegistry", true);
    log.logMessage("a.log", "install ok", false);
    log.logMessage("a.log", "", true);
    log.logMessage("a.log", "Unable to execute command:", "setup.exe");
    log.logMessage("a.log", "                   result", "-1");
    log.logMessage("a.log", "", "");
    SCOPED_TRACE("a.log");
    EXPECT_EQ(readLogLines("a.log"), (Lines{"configureWinRegistry: true", "install ok: false", ": true",
                                            "Unable to execute command: setup.exe", "                   result -1",
                                            " "}));
}

TEST(Log, LongMessagesAreWrittenWhole)
{
    TestFolder folder;
    std::string label(70000, 'L');
    Log log;
    log.logMessage("a.log", label.c_str(), false);
    log.logMessage("a.log", label.c_str(), label.c_str());
    SCOPED_TRACE("a.log");
    EXPECT_EQ(readLogLines("a.log"), (Lines{label + ": false", label + " " + label}));
}

TEST(Log, UnwritableFileLosesTheLineSilently)
{
    TestFolder folder;
    std::filesystem::create_directory("errors.log"); // a folder where the file should be
    Log log;
    log.logMessage("errors.log", "lost");
    EXPECT_TRUE(std::filesystem::is_directory("errors.log"));
}

TEST(Trace, WritesOnlyIntoExistingFiles)
{
    TestFolder folder;
    Trace trace;
    trace.traceMessage("jinstall.log", "dropped");
    trace.traceMessage("jinstall.log", "dropped", true);
    trace.traceMessage("jinstall.log", "dropped", "too");
    EXPECT_FALSE(fileExists("jinstall.log"));

    writeFile("jinstall.log", "");
    trace.traceMessage("jinstall.log", "kept");
    trace.traceMessage("jinstall.log", "flag", false);
    trace.traceMessage("jinstall.log", "two", "parts");
    SCOPED_TRACE("jinstall.log");
    EXPECT_EQ(readLogLines("jinstall.log"), (Lines{"kept", "flag: false", "two parts"}));
}

TEST(Trace, LogAndTraceAlwaysLogsAndTracesWhenTheTraceFileExists)
{
    TestFolder folder;
    Trace trace;
    trace.logAndTraceMessage("errors.log", "jinstall.log", "Unable to execute command:", "setup.exe");
    {
        SCOPED_TRACE("without a trace file");
        EXPECT_EQ(readLogLines("errors.log"), (Lines{"Unable to execute command: setup.exe"}));
        EXPECT_FALSE(fileExists("jinstall.log"));
    }

    writeFile("jinstall.log", "");
    trace.logAndTraceMessage("errors.log", "jinstall.log", "Unable to execute command:", "setup.exe");
    trace.logAndTraceMessage("errors.log", "jinstall.log", "Error running JVM: Unknown error", false);
    trace.logAndTraceMessage("errors.log", "jinstall.log", "install.jar does not exist.");
    SCOPED_TRACE("with a trace file");
    Lines both{"Unable to execute command: setup.exe", "Error running JVM: Unknown error: false",
               "install.jar does not exist."};
    EXPECT_EQ(readLogLines("jinstall.log"), both);
    both.insert(both.begin(), "Unable to execute command: setup.exe");
    EXPECT_EQ(readLogLines("errors.log"), both);
}

TEST(Log, TermLogEchoesEveryLogLineToStandardOutput)
{
    TestFolder folder;
    writeFile("term.log", "");
    Trace trace;
    testing::internal::CaptureStdout();
    trace.logMessage("errors.log", "to the log");
    trace.traceMessage("absent.log", "to nowhere");
    trace.logAndTraceMessage("errors.log", "absent.log", "logged", true);
    std::string out = testing::internal::GetCapturedStdout();

    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = out.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = out.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ASSERT_TRUE(isTimestamp(line)) << line;
        lines.push_back(line.substr(25));
    }
    EXPECT_EQ(lines, (Lines{"to the log", "logged: true"}));
}

TEST(LogSystemChange, AppendsTextAndLineEndWithoutTimestamp)
{
    TestFolder folder;
    logSystemChange("Renamed to C:\\jre\\lib\\security\\java.policy identitydb.001");
    logSystemChange("ends in a line feed\n");
    logSystemChange("");
    EXPECT_EQ(readFile("changes.txt"), "Renamed to C:\\jre\\lib\\security\\java.policy identitydb.001\r\n"
                                       "ends in a line feed\r\n\r\n"
                                       "\r\n");
}
