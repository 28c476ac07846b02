// What the user and the logs are told: every log line is stamped and ends in CR LF (readLogLines checks
// both), a trace file is its own switch, and the boxes speak the user's language, as the registry gives it.
#include "msgbox.h"
#include "regscope.h"
#include "support/language.h"
#include "support/markers.h"
#include "support/registry.h"
#include "support/trace.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

using Lines = std::vector<std::string>;

// Lines are appended, never written over; a trace line goes only into a file that exists; while term.log
// exists each line is echoed, stamped, to standard output.
TEST(Trace, AppendsLogsTracesOnlyIntoAFileThatExistsAndEchoesForTermLog)
{
    TestFolder folder;
    writeFile("term.log", "");
    Trace trace;
    testing::internal::CaptureStdout();
    trace.logAndTraceMessage("errors.log", "jinstall.log", "Error", true);
    EXPECT_FALSE(fileExists("jinstall.log"));
    writeFile("jinstall.log", "");
    trace.logAndTraceMessage("errors.log", "jinstall.log", "Unable:", "x.exe");
    trace.traceMessage("jinstall.log", "flag", false);
    Lines echo = splitLines(testing::internal::GetCapturedStdout(), "\n");
    EXPECT_EQ(readLogLines("errors.log"), (Lines{"Error: true", "Unable: x.exe"}));
    EXPECT_EQ(readLogLines("jinstall.log"), (Lines{"Unable: x.exe", "flag: false"}));
    for (std::string& line : echo) line = isTimestamp(line) ? line.substr(25) : "unstamped: " + line;
    EXPECT_EQ(echo, (Lines{"Error: true", "Unable: x.exe", "Unable: x.exe", "flag: false"}));
}

// The boxes as the user sees them, in the language of the user's regional setting. Either box takes
// the status window's marker away first, so that the status window does not cover it, also when the
// worker has moved to another folder meanwhile (as the JVM installation does). Taking a marker away wakes
// the window that watches the markers, so that its loop looks at once; a marker that was not there wakes
// nobody (each message counts in the loop that bridges the wizard).
TEST(Status, ErrorBoxCarriesTheLanguagesSuffixAndMessageBoxNone)
{
    TestFolder folder;
    ScopedUserLocale locale("Dutch (Belgian)");
    setMarkerPaths(folder.native().c_str());
    std::filesystem::create_directory("elsewhere");
    Status status;
    MessageBoxCatcher catcher;
    for (bool error : {true, false}) {
        SCOPED_TRACE(error ? "error" : "message");
        writeFile("__qivshow.sem", "ok\n");
        std::filesystem::current_path("elsewhere");
        writeFile("__qivshow.sem", "not the marker");
        error ? status.showError(reinterpret_cast<HWND>(0x1234), "Unable to open control file")
              : status.showMessage("Unable to open control file");
        EXPECT_TRUE(fileExists("__qivshow.sem")) << "a file of that name in the worker's current folder";
        std::filesystem::current_path(folder.path());
        EXPECT_FALSE(fileExists("__qivshow.sem"));
    }
    // 4112 (0x1010): OK, a stop icon, system modal; 48 (0x30): OK, an exclamation. No owner window.
    Lines boxes;
    for (const CaughtBox& box : catcher.boxes())
        boxes.push_back(box.title + "|" + box.text + "|" + std::to_string(box.style) + (box.owned ? "|owned" : ""));
    EXPECT_EQ(boxes, (Lines{"Quivrell Installer: Error|Unable to open control file\n\nLees a.u.b. de errors.log- en "
                            "jinstall.log-bestanden voor meer informatie over dit probleem.|4112",
                            "Quivrell Installer|Unable to open control file|48"}));

    HWND window = CreateWindowExA(0, "STATIC", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    setMarkerWatcher(window);
    std::string marker = folder.native() + "\\__qivinstall.sem";
    writeFile(marker, "ok\n");
    MSG msg;
    auto woken = [&] { return PeekMessageA(&msg, window, 0, 0, PM_REMOVE) != FALSE; };
    dropMarker(marker.c_str());
    EXPECT_TRUE(woken());
    dropMarker(marker.c_str());
    EXPECT_FALSE(woken()) << "no marker was taken away";
    setMarkerWatcher(nullptr);
    DestroyWindow(window);
}

// The user's setting first, then the machine's (its default value names the value that holds it),
// then the runtime's locale.
TEST(GetLanguage, UserThenMachineThenRuntimeLocale)
{
    const char* const nls = "System\\CurrentControlSet\\Control\\Nls\\Locale";
    ScopedRegValue user{HKEY_CURRENT_USER, "Control Panel\\International", "Locale"};
    ScopedRegValue machineDefault{HKEY_LOCAL_MACHINE, nls, ""}, machineNamed{HKEY_LOCAL_MACHINE, nls, "00000413"};
    machineDefault.setString("00000413");
    struct Case { // null: the value is absent
        const char *what, *user, *machineNamed, *language;
    } cases[] = {
        {"the user's setting", "Dutch (Belgian)", "Italiano", "dutch"},
        {"no user setting: the machine's, and the longest name", nullptr, "Portuguese", "portuguese"},
        {"the machine's names a missing value: the runtime's C", "", nullptr, "english"},
    };
    for (const Case& c : cases) {
        c.user ? user.setString(c.user) : user.remove();
        c.machineNamed ? machineNamed.setString(c.machineNamed) : machineNamed.remove();
        char language[1000];
        std::fill(language, language + sizeof language, 'x');
        getLanguage(language);
        EXPECT_EQ(std::string(language), c.language) << c.what;
    }
}

// Through the real registry the whole buffer is offered: a value that fills it with its NUL is read, one
// character more reads as none, and nothing is written past the buffer.
TEST(ReadRegText, AnyLengthEndsInsideTheBuffer)
{
    const char* const key = "Software\\QuivrellTests\\Registry";
    ScopedRegKey scope(HKEY_CURRENT_USER, key);
    for (std::size_t length : {199u, 200u}) {
        SCOPED_TRACE(length);
        scope.setString("value", std::string(length, 'f'));
        char buffer[200 + 8];
        std::fill(buffer, buffer + sizeof buffer, 'G');
        EXPECT_EQ(readRegText(HKEY_CURRENT_USER, key, "value", buffer, 200), length < 200);
        EXPECT_EQ(std::string(buffer), length < 200 ? std::string(length, 'f') : "");
        EXPECT_EQ(std::string(buffer + 200, 8), std::string(8, 'G')) << "written past the buffer";
    }
}
