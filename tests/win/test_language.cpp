#include "regscope.h"
#include "support/language.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using Lines = std::vector<std::string>;

// The user's setting first, then the machine's (its default value names the value that holds it),
// then the runtime's locale; what decided is traced into locale.log when that file exists. Values of
// other shapes are the registry reader's cases.
TEST(GetLanguage, UserThenMachineThenRuntimeLocale)
{
    const char* const nls = "System\\CurrentControlSet\\Control\\Nls\\Locale";
    const std::string absent = "(absent)", tooLong(6000, 'd');
    struct Case {
        const char* what;
        std::string user, machineDefault, machineNamed;
        const char* language;
        Lines trace; // empty: no locale.log
    } cases[] = {
        {"the user's setting", "Dutch (Belgian)", "00000413", "Italiano", "dutch",
         {"Dutch found locale: dutch (belgian) language: dutch", "getLang3 locale: dutch (belgian) language: dutch"}},
        {"the user's locale number: English, and no further", "00000407", "00000413", "Dutch", "english",
         {"English found locale: 00000407 language: english", "getLang3 locale: 00000407 language: english"}},
        {"no user setting: the machine's, and the longest name", absent, "00000413", "Portuguese", "portuguese",
         {"Portuguese found locale: portuguese language: portuguese",
          "getLang2 locale: portuguese language: portuguese"}},
        {"the machine's names a missing value: the runtime's C", "", "00000413", absent, "english",
         {"getLang1 locale: c language: "}},
        {"a user setting too long to read counts as none", tooLong, "00000413", "Italiano", "italian", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestFolder folder;
        if (!c.trace.empty()) writeFile("locale.log", "");
        ScopedRegValue user{HKEY_CURRENT_USER, "Control Panel\\International", "Locale"};
        ScopedRegValue machineDefault{HKEY_LOCAL_MACHINE, nls, ""}, machineNamed{HKEY_LOCAL_MACHINE, nls, "00000413"};
        for (auto value : {std::make_pair(&user, c.user), std::make_pair(&machineDefault, c.machineDefault),
                           std::make_pair(&machineNamed, c.machineNamed)})
            value.second == absent ? value.first->remove() : value.first->setString(value.second);
        char language[1000];
        std::fill(language, language + sizeof language, 'x');
        getLanguage(language);
        EXPECT_EQ(std::string(language), c.language);
        EXPECT_EQ(readPlainLines("locale.log"), c.trace);
        EXPECT_EQ(fileExists("locale.log"), !c.trace.empty());
    }
}

// Choosing the Japanese font must not change the font a window shows, nor fail on a missing control.
TEST(SetWindowCharType, LeavesTheWindowsFontUnchanged)
{
    TestFolder folder;
    for (const char* locale : {"Japanese_Japan.932", "English_United States.1252"}) {
        SCOPED_TRACE(locale);
        ScopedUserLocale user(locale);
        HINSTANCE instance = GetModuleHandleA(nullptr);
        HWND window = CreateWindowExA(0, "STATIC", "text", WS_POPUP, 0, 0, 99, 40, nullptr, nullptr, instance, nullptr);
        ASSERT_NE(window, nullptr);
        HWND control = CreateWindowExA(0, "STATIC", "item", WS_CHILD, 0, 0, 50, 20, window,
                                       reinterpret_cast<HMENU>(104), instance, nullptr);
        HFONT font = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
        for (HWND w : {window, control}) SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        setWindowCharType(window);
        selectControlIdCharType(window, 104, "japanese");
        selectControlIdCharType(window, 999, "japanese");
        for (HWND w : {window, control}) EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0)), font);
        DestroyWindow(window);
    }
}
