#include "regscope.h"
#include "support/language.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using Lines = std::vector<std::string>;

namespace {
const char* const nlsKey = "System\\CurrentControlSet\\Control\\Nls\\Locale";

// The three sources under control of one test: the user's setting, and the machine's default value
// with the value it names.
struct Sources {
    ScopedRegValue user{HKEY_CURRENT_USER, "Control Panel\\International", "Locale"};
    ScopedRegValue machineDefault{HKEY_LOCAL_MACHINE, nlsKey, ""};
    ScopedRegValue machineNamed{HKEY_LOCAL_MACHINE, nlsKey, "00000413"};
};

std::string detect()
{
    char language[1000];
    std::fill(language, language + sizeof language, 'x');
    getLanguage(language);
    return language;
}
} // namespace

TEST(GetLanguage, UserSettingDecidesAndIsTraced)
{
    TestFolder folder;
    writeFile("locale.log", "");
    Sources sources;
    sources.user.setString("Dutch (Belgian)");
    EXPECT_EQ(detect(), "dutch");
    EXPECT_EQ(readPlainLines("locale.log"), (Lines{"Dutch found locale: dutch (belgian) language: dutch",
                                                   "getLang3 locale: dutch (belgian) language: dutch"}));
}

TEST(GetLanguage, LocaleNumberGivesEnglishAndStopsTheSearch)
{
    TestFolder folder;
    writeFile("locale.log", "");
    Sources sources;
    sources.user.setString("00000407");
    sources.machineDefault.setString("00000413");
    sources.machineNamed.setString("Dutch");
    EXPECT_EQ(detect(), "english");
    EXPECT_EQ(readPlainLines("locale.log"), (Lines{"English found locale: 00000407 language: english",
                                                   "getLang3 locale: 00000407 language: english"}));
}

TEST(GetLanguage, MachineSettingWhenTheUserHasNone)
{
    TestFolder folder;
    writeFile("locale.log", "");
    Sources sources;
    sources.user.remove();
    sources.machineDefault.setString("00000413");
    sources.machineNamed.setString("Dutch");
    EXPECT_EQ(detect(), "dutch");
    EXPECT_EQ(readPlainLines("locale.log"),
              (Lines{"Dutch found locale: dutch language: dutch", "getLang2 locale: dutch language: dutch"}));
}

TEST(GetLanguage, RuntimeLocaleCIsTracedAndFallsBackToEnglish)
{
    TestFolder folder;
    writeFile("locale.log", "");
    Sources sources;
    sources.user.setString("");
    sources.machineDefault.setString("00000413");
    sources.machineNamed.remove(); // the default names a value that is not there
    EXPECT_EQ(detect(), "english");
    EXPECT_EQ(readPlainLines("locale.log"), (Lines{"getLang1 locale: c language: "}));
}

TEST(GetLanguage, ValuesOfOtherTypesOrTooLongAreReadSafely)
{
    TestFolder folder;
    Sources sources;
    sources.machineDefault.setString("");
    sources.user.setBytes(REG_DWORD, std::string("\x07\x04\0\0", 4));
    EXPECT_EQ(detect(), "english");
    sources.user.setBytes(REG_BINARY, "ptb"); // no terminating NUL
    EXPECT_EQ(detect(), "portuguese");
    sources.user.setString(std::string(6000, 'd')); // does not fit: read as empty, next source
    sources.machineDefault.setString("00000413");
    sources.machineNamed.setString("Italiano");
    EXPECT_EQ(detect(), "italian");
}

TEST(GetLanguage, NoTraceWithoutLocaleLog)
{
    TestFolder folder;
    Sources sources;
    sources.user.setString("German");
    EXPECT_EQ(detect(), "german");
    EXPECT_FALSE(fileExists("locale.log"));
}

TEST(SetWindowCharType, LeavesTheWindowsFontUnchanged)
{
    TestFolder folder;
    for (const char* locale : {"Japanese_Japan.932", "English_United States.1252"}) {
        SCOPED_TRACE(locale);
        ScopedUserLocale user(locale);
        HWND window = CreateWindowExA(0, "STATIC", "text", WS_POPUP, 0, 0, 100, 40, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        HWND control = CreateWindowExA(0, "STATIC", "item", WS_CHILD, 0, 0, 50, 20, window,
                                       reinterpret_cast<HMENU>(104), GetModuleHandleA(nullptr), nullptr);
        HFONT font = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

        setWindowCharType(window);
        selectControlIdCharType(window, 104, "japanese");
        selectControlIdCharType(window, 999, "japanese"); // no such control
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), font);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), font);
        DestroyWindow(window);
    }
}
