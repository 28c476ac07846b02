#include "msgbox.h"
#include "regscope.h"
#include "support/statuswin.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {
const char* const englishSuffix = "\n\nSee errors.log and jinstall.log files for details.";
}

// The error box as the user sees it, for the language of the user's regional setting.
TEST(ShowError, AddsTheSuffixOfTheUsersLanguage)
{
    struct Case {
        const char* locale;
        const char* language;
        const char* suffix;
    } cases[] = {
        {"English_United States.1252", "english", englishSuffix},
        {"Dutch (Belgian)", "dutch",
         "\n\nLees a.u.b. de errors.log- en jinstall.log-bestanden voor meer informatie over dit probleem."},
        {"French_Canada.1252", "french",
         "\n\nVeuillez examiner les fichiers errors.log et jinstall.log pour plus de d\xEF\xBF\xBDtails sur "
         "l'erreur."},
        {"Spanish_Spain.1252", "spanish",
         "\n\nRevise por favor errors.log y jinstall.log para m\xEF\xBF\xBDs detalles acerca del error."},
        {"klingon", "english", englishSuffix},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        TestFolder folder;
        ScopedUserLocale locale(c.locale);
        Status status;
        EXPECT_STREQ(status.getLanguageName(), c.language);
        MessageBoxCatcher catcher;
        status.showError(reinterpret_cast<HWND>(0x1234), "Unable to open control file");
        ASSERT_EQ(catcher.boxes().size(), 1u);
        const CaughtBox& box = catcher.boxes()[0];
        EXPECT_EQ(box.title, "Quivrell Installer: Error");
        EXPECT_EQ(box.text, std::string("Unable to open control file") + c.suffix);
        EXPECT_EQ(box.style, 0x1010u) << "OK button, stop icon, system modal";
        EXPECT_FALSE(box.owned) << "the owner handle is not used";
    }
}

TEST(ShowError, RemovesTheStatusWindowMarkerFirstAndShowsWithoutIt)
{
    TestFolder folder;
    ScopedUserLocale locale("English_United States.1252");
    writeFile("__qivshow.sem", "ok\n");
    Status status;
    MessageBoxCatcher catcher;
    status.showError(nullptr, "first");
    EXPECT_FALSE(fileExists("__qivshow.sem"));
    status.showError(nullptr, "second");
    ASSERT_EQ(catcher.boxes().size(), 2u);
    EXPECT_EQ(catcher.boxes()[1].text, std::string("second") + englishSuffix);
}

TEST(ShowMessage, PlainBoxWithExclamationIconAndNoSuffix)
{
    TestFolder folder;
    ScopedUserLocale locale("Dutch (Belgian)");
    writeFile("__qivshow.sem", "ok\n");
    Status status;
    MessageBoxCatcher catcher;
    status.showMessage("Please exit your browser now.");
    EXPECT_FALSE(fileExists("__qivshow.sem"));
    ASSERT_EQ(catcher.boxes().size(), 1u);
    const CaughtBox& box = catcher.boxes()[0];
    EXPECT_EQ(box.title, "Quivrell Installer");
    EXPECT_EQ(box.text, "Please exit your browser now.");
    EXPECT_EQ(box.style, 0x30u);
    EXPECT_FALSE(box.owned);
}

TEST(ShowStatus, HooksShowNothing)
{
    TestFolder folder;
    Status status;
    MessageBoxCatcher catcher;
    status.showStatus("Searching for JVM again", 1);
    status.showStatus("text");
    status.showStatus(50);
    EXPECT_TRUE(catcher.boxes().empty());
}
