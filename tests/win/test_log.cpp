// Every log line is stamped and ends in CR LF (readLogLines checks both); a trace file is its own switch.
#include "support/log.h"
#include "support/trace.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

TEST(Trace, LogsAlwaysAndTracesOnlyIntoAFileThatExists)
{
    const std::string huge(70000, 'L');
    struct Case {
        const char* what;
        std::function<void(Trace&)> call;
        Lines logged, traced; // errors.log, and jinstall.log when it exists
    } cases[] = {
        {"trace", [](Trace& t) { t.traceMessage("jinstall.log", "kept"); }, {}, {"kept"}},
        {"trace a flag", [](Trace& t) { t.traceMessage("jinstall.log", "flag", false); }, {}, {"flag: false"}},
        {"trace two parts", [](Trace& t) { t.traceMessage("jinstall.log", "two", "parts"); }, {}, {"two parts"}},
        {"both", [](Trace& t) { t.logAndTraceMessage("errors.log", "jinstall.log", "no install.jar"); },
         {"no install.jar"}, {"no install.jar"}},
        {"both, a flag", [](Trace& t) { t.logAndTraceMessage("errors.log", "jinstall.log", "Error", true); },
         {"Error: true"}, {"Error: true"}},
        {"both, two parts", [](Trace& t) { t.logAndTraceMessage("errors.log", "jinstall.log", "Unable:", "x.exe"); },
         {"Unable: x.exe"}, {"Unable: x.exe"}},
        {"log, long parts written whole", [&](Trace& t) { t.logMessage("errors.log", huge.c_str(), huge.c_str()); },
         {huge + " " + huge}, {}},
    };
    for (const Case& c : cases) {
        for (bool traceFile : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (traceFile ? ", with jinstall.log" : ", without jinstall.log"));
            TestFolder folder;
            if (traceFile) writeFile("jinstall.log", "");
            Trace trace;
            c.call(trace);
            EXPECT_EQ(readLogLines("errors.log"), c.logged);
            EXPECT_EQ(readLogLines("jinstall.log"), traceFile ? c.traced : Lines{});
            EXPECT_EQ(fileExists("jinstall.log"), traceFile);
        }
    }
}

// term.log echoes each line that reaches a log, stamped, to standard output; a lost line costs nothing.
TEST(Log, TermLogEchoesWhatIsWrittenAndAnUnwritableFileIsSkipped)
{
    TestFolder folder;
    writeFile("term.log", "");
    std::filesystem::create_directory("lost.log"); // a folder where the file should be
    Trace trace;
    testing::internal::CaptureStdout();
    trace.logMessage("errors.log", "to the log");
    trace.logMessage("lost.log", "lost");
    trace.traceMessage("absent.log", "to nowhere");
    trace.logAndTraceMessage("errors.log", "absent.log", "logged", true);
    std::string out = testing::internal::GetCapturedStdout();
    Lines lines;
    for (std::size_t start = 0, end; (end = out.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = out.substr(start, end - start);
        ASSERT_TRUE(isTimestamp(line)) << line;
        lines.push_back(line.substr(25, line.find_last_not_of('\r') - 24));
    }
    EXPECT_EQ(lines, (Lines{"to the log", "logged: true"}));
    EXPECT_TRUE(std::filesystem::is_directory("lost.log"));
}

TEST(LogSystemChange, AppendsTextAndLineEndWithoutTimestamp)
{
    TestFolder folder;
    for (const char* text : {"Renamed to C:\\jre\\java.policy identitydb.001", "ends in a line feed\n", ""})
        logSystemChange(text);
    EXPECT_EQ(readFile("changes.txt"), "Renamed to C:\\jre\\java.policy identitydb.001\r\nends in a line feed\r\n\r\n\r\n");
}
