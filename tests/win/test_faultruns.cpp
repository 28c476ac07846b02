// Whole runs of qivstart.exe that meet a fault: a broken JVM, a start folder that takes no logs, package
// files that are not what they should be. Every run must end, show exactly the box its fault calls for,
// say in its logs what happened, and leave the whole logs where the user finds them.
#include "fakejvm.h"
#include "programrun.h"
#include "regscope.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {
const char* const noJvm = "The correct version of the JRE was not found on your system.";
const char* const min16 = "jvmMinVersion=1.6\r\n";

struct Row {
    const char* what;
    std::initializer_list<const char*> jvm; // the registered JVM's settings; none: no JVM on the machine
    const char* control;                    // null: the spoiling writes it, or nothing does
    const char* start;                      // a bench folder; null: a folder beside; "": startdir.txt names none
    std::function<void()> spoil;            // what else is wrong with the package
    Lines boxes;                            // the beginnings of the boxes, in order
    std::string logged;                     // the line of errors.log or jinstall.log that says what happened
    const char* limit = nullptr;            // the test-class run's time limit (s); null: the program's own
    std::size_t pathLength = 0;             // the package folder's path length; 0: any
};

bool holds(const Lines& lines, const std::string& prefix)
{
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}
} // namespace

TEST(FaultRuns, EachRunEndsWithItsBoxAndKeepsItsLogs)
{
    char windowsDir[MAX_PATH] = "";
    GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
    Row rows[] = {
        // A JVM that fails its test in any way is a failed candidate; the search goes on to the end.
        {"launcher crashes", {"exit=-1073741819"}, min16, nullptr, {}, {noJvm}, "Jvm isn't installed properly."},
        {"launcher hangs", {"sleep=60000"}, min16, nullptr, {}, {noJvm},
         "test jvm did not end within 1 s and was stopped: false", "1"},
        {"launcher writes a 10 MB line", {"result=java.version=1.6.0_20", "pad=10485760", "wizard=start"}, min16,
         nullptr, {}, {}, "found jvm version: 1.6.0_20"},
        // Start folders that take no logs: the Windows folder takes them, or the user is told.
        {"start folder read-only", {}, min16, "readonly", {}, {noJvm},
         "copying log files to " + std::string(windowsDir)},
        {"disk full during the log copy", {}, min16, "smalldisk", [] {
             std::string disk = benchFolder("smalldisk"), log;
             ULARGE_INTEGER free{};
             GetDiskFreeSpaceExA(disk.c_str(), &free, nullptr, nullptr);
             writeFile(disk + "\\filler", std::string(free.QuadPart - (16 << 10), 'f'));
             for (int i = 0; i < 2000; ++i) log += "Mon Dec 07 16:01:51 2026 an earlier run\r\n";
             writeFile("errors.log", log);
         }, {noJvm, "Unable to save errors.log"}, noJvm},
        // Package files that are not what they should be.
        {"startdir.txt of 10 MB without a line end", {}, min16, "",
         [] { writeFile("startdir.txt", std::string(10 << 20, 'd')); }, {noJvm}, noJvm},
        {"qiv.control is a folder", {}, nullptr, nullptr, [] { fs::create_directory("qiv.control"); },
         {"Unable to open qiv.control"}, "unable to get parameters"},
        // The longest package folder the program runs in, and one character more: refused, with one box.
        {"package folder of 242 characters", {}, min16, nullptr, {}, {noJvm}, noJvm, nullptr, 242},
        {"package folder of 243 characters", {}, min16, "", {},
         {"The installation files were unpacked into a folder whose path is too long."}, "package folder path too long:",
         nullptr, 243},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        ScopedUserLocale locale("English_United States.1252");
        ScopedRegKey javaSoft(HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft");
        TestFolder folder("package");
        std::string package = folder.native();
        if (r.pathLength) fs::create_directory(package += "\\" + std::string(r.pathLength - package.size() - 1, 'p'));
        fs::current_path(package);
        fs::copy_file(programFromEnvironment("QIV_PROGRAM"), "qivstart.exe");
        fs::copy_file(programFromEnvironment("QIV_FAKECLEANUP"), "cleanup.exe");
        writeFile("TestJvm.class", "");
        writeFile("install.jar", "PK");
        writeFile("jinstall.log", ""); // the user's own trace log, kept and copied whatever the outcome
        if (r.jvm.size()) {
            FakeJvmHome jvm("..\\jre", {"bin\\java.exe"}, r.jvm);
            javaSoft.setString("JavaHome", jvm.home, "Java Runtime Environment\\1.6");
        }
        std::string start = !r.start  ? (folder.path().parent_path() / "start").string()
                            : r.start[0] ? benchFolder(r.start) : "";
        if (r.start && r.start[0] && start.empty()) {
            std::printf("[ SKIPPED  ] %s: the bench has no such folder here\n", r.what);
            continue;
        }
        if (!r.start) fs::create_directory(start);
        writeFile("startdir.txt", start + "\r\n");
        if (r.control) writeFile("qiv.control", r.control);
        if (r.spoil) r.spoil();
        std::string logs = r.start && std::string(r.start) == "readonly" ? windowsDir : start.empty() ? "." : start;
        for (const char* log : {"errors.log", "jinstall.log"}) fs::remove(logs + "\\" + log);

        SetEnvironmentVariableA("QIV_TEST_JVM_SECONDS", r.limit);
        ProgramRun run(package + "\\qivstart.exe", "", package);
        Lines boxes;
        EXPECT_TRUE(waitUntil([&] {
            for (const std::string& text : run.answerBoxes()) boxes.push_back(text);
            return !run.running();
        }, 30000));
        for (std::size_t i = 0; i < boxes.size() && i < r.boxes.size(); ++i) boxes[i].resize(r.boxes[i].size());
        EXPECT_EQ(boxes, r.boxes);
        Lines errors = readLogLines("errors.log"), trace = readLogLines("jinstall.log");
        EXPECT_TRUE(holds(errors, r.logged) || holds(trace, r.logged)) << r.logged;
        // Nothing is lost: the logs reach the start folder whole, or the user is told.
        if (!holds(r.boxes, "Unable to save errors.log")) {
            EXPECT_EQ(readLogLines(logs + "\\errors.log"), errors) << "the start folder's copy is not the whole log";
            EXPECT_EQ(readLogLines(logs + "\\jinstall.log"), trace) << "the start folder's copy is not the whole log";
        }
        for (const char* log : {"errors.log", "jinstall.log", "filler"}) fs::remove(logs + "\\" + log);
    }
    SetEnvironmentVariableA("QIV_TEST_JVM_SECONDS", nullptr);
}
