// The language tables: any regional-settings text classifies as a language that every other table
// knows, a text that names a language or begins with one of its other names is never taken for the
// fallback, and only an exact name picks a language's texts.
#include "fuzz.h"
#include "launcher/startup.h"
#include "security/securityrules.h"
#include "support/langtext.h"
#include "support/textbuf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CText text = cText(std::string(reinterpret_cast<const char*>(data), size));
    lowerAscii(text.data());
    int count = 0;
    const LanguageRow* rows = languageTable(&count);
    const LanguageRow& row = classifyLanguage(text.data());
    FUZZ_CHECK(&row >= rows && &row < rows + count);

    const char* english = rows[count - 1].name;
    bool named = false, exact = false;
    for (int i = 0; i + 1 < count; ++i) {
        named = named || std::strstr(text.data(), rows[i].name);
        for (const char* const* alias = rows[i].aliases; *alias; ++alias)
            named = named || startsWith(text.data(), *alias);
        exact = exact || std::strcmp(text.data(), rows[i].name) == 0;
    }
    FUZZ_CHECK(!named || row.contained);
    // The classified language has its own texts elsewhere; any other text gets the fallback's.
    bool own = row.contained == nullptr || (std::strcmp(errorSuffix(row.name), errorSuffix(english)) != 0 &&
                                            std::strcmp(startupText(row.name), startupText(english)) != 0);
    FUZZ_CHECK(own && (exact || (errorSuffix(text.data()) == errorSuffix(english) &&
                                 startupText(text.data()) == startupText(english) &&
                                 backupChangeLine(text.data(), "") == backupChangeLine(english, ""))));
    return 0;
}
