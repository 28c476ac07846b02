// The language tables: a text that names a language or begins with one of its other names is never
// taken for the fallback, and only an exact name picks a language's own texts.
#include "fuzz.h"
#include "launcher/startup.h"
#include "support/langtext.h"
#include "support/textbuf.h"

FUZZ_TARGET(0)
{
    CText text = cText(bytes);
    lowerAscii(text.data());
    int count = 0;
    const LanguageRow* rows = languageTable(&count);
    const LanguageRow& row = classifyLanguage(text.data());
    bool named = false, exact = false;
    for (int i = 0; i + 1 < count; ++i) {
        named = named || std::strstr(text.data(), rows[i].name);
        for (const char* const* alias = rows[i].aliases; *alias; ++alias)
            named = named || startsWith(text.data(), *alias);
        exact = exact || std::strcmp(text.data(), rows[i].name) == 0;
    }
    FUZZ_CHECK(&row >= rows && &row < rows + count && (!named || row.contained));
    const char* english = rows[count - 1].name;
    FUZZ_CHECK(row.contained == nullptr || std::strcmp(errorSuffix(row.name), errorSuffix(english)) != 0);
    FUZZ_CHECK(exact || (errorSuffix(text.data()) == errorSuffix(english) &&
                         startupText(text.data()) == startupText(english)));
}
