#include "regscope.h"
#include "support/language.h"
#include "support/registry.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

// The user's setting first, then the machine's (its default value names the value that holds it),
// then the runtime's locale.
TEST(GetLanguage, UserThenMachineThenRuntimeLocale)
{
    const char* const nls = "System\\CurrentControlSet\\Control\\Nls\\Locale";
    const std::string absent = "(absent)";
    struct Case {
        const char* what;
        std::string user, machineDefault, machineNamed;
        const char* language;
    } cases[] = {
        {"the user's setting", "Dutch (Belgian)", "00000413", "Italiano", "dutch"},
        {"no user setting: the machine's, and the longest name", absent, "00000413", "Portuguese", "portuguese"},
        {"the machine's names a missing value: the runtime's C", "", "00000413", absent, "english"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedRegValue user{HKEY_CURRENT_USER, "Control Panel\\International", "Locale"};
        ScopedRegValue machineDefault{HKEY_LOCAL_MACHINE, nls, ""}, machineNamed{HKEY_LOCAL_MACHINE, nls, "00000413"};
        for (auto value : {std::make_pair(&user, c.user), std::make_pair(&machineDefault, c.machineDefault),
                           std::make_pair(&machineNamed, c.machineNamed)})
            value.second == absent ? value.first->remove() : value.first->setString(value.second);
        char language[1000];
        std::fill(language, language + sizeof language, 'x');
        getLanguage(language);
        EXPECT_EQ(std::string(language), c.language);
    }
}

// Values read through the real registry end inside the buffer, whatever their length; a value too
// long for it reads as none.
TEST(ReadRegText, AnyLengthEndsInsideTheBuffer)
{
    const char* const key = "Software\\QuivrellTests\\Registry";
    ScopedRegKey scope(HKEY_CURRENT_USER, key);
    scope.setBytes("nonul", REG_SZ, "abcdef");
    scope.setString("long", std::string(6000, 'x'));
    scope.setString("fits", std::string(199, 'f'));
    struct Case {
        const char* name;
        std::string text;
    } cases[] = {{"nonul", "abcdef"}, {"long", ""}, {"fits", std::string(199, 'f')}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char buffer[200 + 8];
        std::fill(buffer, buffer + sizeof buffer, 'G');
        EXPECT_EQ(readRegText(HKEY_CURRENT_USER, key, c.name, buffer, 200), !c.text.empty());
        EXPECT_EQ(std::string(buffer), c.text);
        EXPECT_EQ(std::string(buffer + 200, 8), std::string(8, 'G')) << "written past the buffer";
    }
}
