// Every log line is stamped and ends in CR LF (readLogLines checks both); a trace file is its own switch.
#include "support/log.h"
#include "support/trace.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

// Each line that reaches a file is echoed, stamped, to standard output while term.log exists.
TEST(Trace, LogsAlwaysTracesOnlyIntoAFileThatExistsAndEchoesForTermLog)
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
        {"log into a folder: the line is lost, and so is its echo",
         [](Trace& t) {
             std::filesystem::create_directory("errors.log");
             t.logMessage("errors.log", "lost");
         },
         {}, {}},
    };
    for (const Case& c : cases) {
        for (int variant = 0; variant < 3; ++variant) {
            bool traceFile = variant > 0, term = variant == 2;
            SCOPED_TRACE(std::string(c.what) + (traceFile ? ", jinstall.log" : "") + (term ? ", term.log" : ""));
            TestFolder folder;
            if (traceFile) writeFile("jinstall.log", "");
            if (term) writeFile("term.log", "");
            Trace trace;
            testing::internal::CaptureStdout();
            c.call(trace);
            std::string out = testing::internal::GetCapturedStdout();
            Lines echo, expectedEcho = c.logged;
            for (std::size_t start = 0, end; (end = out.find('\n', start)) != std::string::npos; start = end + 1) {
                std::string line = out.substr(start, end - start);
                ASSERT_TRUE(isTimestamp(line)) << line;
                echo.push_back(line.substr(25, line.find_last_not_of('\r') - 24));
            }
            if (traceFile) expectedEcho.insert(expectedEcho.end(), c.traced.begin(), c.traced.end());
            EXPECT_EQ(echo, term ? expectedEcho : Lines{});
            EXPECT_EQ(std::filesystem::is_directory("errors.log") ? Lines{} : readLogLines("errors.log"), c.logged);
            EXPECT_EQ(readLogLines("jinstall.log"), traceFile ? c.traced : Lines{});
            EXPECT_EQ(fileExists("jinstall.log"), traceFile);
        }
    }
}
