#include "msgbox.h"
#include "regscope.h"
#include "support/markers.h"
#include "support/statuswin.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

// The boxes as the user sees them, in the language of the user's regional setting. Either box takes
// the status window's marker away first, so that the status window does not cover it, also when the
// worker has moved to another folder meanwhile (as the JVM installation does).
TEST(Status, ErrorBoxCarriesTheLanguagesSuffixAndMessageBoxNone)
{
    struct Case {
        const char* locale;
        const char* language;
        const char* suffix; // null: a plain message box
        bool marker;
    } cases[] = {
        {"Dutch (Belgian)", "dutch",
         "\n\nLees a.u.b. de errors.log- en jinstall.log-bestanden voor meer informatie over dit probleem.", true},
        {"klingon", "english", "\n\nSee errors.log and jinstall.log files for details.", false},
        {"Dutch (Belgian)", "dutch", nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + (c.suffix ? ", error" : ", message"));
        TestFolder folder;
        ScopedUserLocale locale(c.locale);
        if (c.marker) writeFile("__qivshow.sem", "ok\n");
        setMarkerPaths(folder.native().c_str());
        std::filesystem::create_directory("elsewhere");
        std::filesystem::current_path("elsewhere");
        writeFile("__qivshow.sem", "not the marker");
        Status status;
        EXPECT_STREQ(status.getLanguageName(), c.language);
        MessageBoxCatcher catcher;
        if (c.suffix)
            status.showError(reinterpret_cast<HWND>(0x1234), "Unable to open control file");
        else
            status.showMessage("Unable to open control file");
        EXPECT_TRUE(fileExists("__qivshow.sem")) << "a file of that name in the worker's current folder";
        std::filesystem::current_path(folder.path());
        EXPECT_FALSE(fileExists("__qivshow.sem"));
        ASSERT_EQ(catcher.boxes().size(), 1u);
        const CaughtBox& box = catcher.boxes()[0];
        EXPECT_EQ(box.title, c.suffix ? "Quivrell Installer: Error" : "Quivrell Installer");
        EXPECT_EQ(box.text, std::string("Unable to open control file") + (c.suffix ? c.suffix : ""));
        EXPECT_EQ(box.style, c.suffix ? 0x1010u : 0x30u) << "OK with a stop icon, system modal; OK with an exclamation";
        EXPECT_FALSE(box.owned) << "the owner handle is not used";
    }
}

// Taking a marker away wakes the window that watches the markers, so that its loop looks at once;
// a marker that was not there wakes nobody (each message counts in the loop that bridges the wizard).
TEST(Status, DroppedMarkerWakesTheWatchingWindow)
{
    TestFolder folder;
    HWND window = CreateWindowExA(0, "STATIC", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    setMarkerWatcher(window);
    std::string marker = folder.native() + "\\__qivinstall.sem";
    writeFile(marker, "ok\n");
    MSG msg;
    auto woken = [&] { return PeekMessageA(&msg, window, 0, 0, PM_REMOVE) != FALSE; };
    dropMarker(marker.c_str());
    EXPECT_FALSE(fileExists(marker));
    EXPECT_TRUE(woken());
    dropMarker(marker.c_str());
    EXPECT_FALSE(woken()) << "no marker was taken away";
    setMarkerWatcher(nullptr);
    DestroyWindow(window);
}
