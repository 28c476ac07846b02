#include "support/language.h"

#include "support/fsys.h"
#include "support/handles.h"
#include "support/langtext.h"
#include "support/limits.h"
#include "support/registry.h"
#include "support/textbuf.h"
#include "support/textfile.h"

#include <clocale>
#include <cstring>
#include <string>

namespace {

constexpr std::size_t textSize = localeTextSize;
constexpr std::size_t languageSize = 11; // the longest name, "portuguese", and its NUL

// Windows regional setting of the user, as a name or a locale number.
bool readUserLocale(char* text)
{
    return readRegText(HKEY_CURRENT_USER, "Control Panel\\International", "Locale", text, textSize);
}

// The machine's locale: the key's default value names the value that holds the text.
bool readSystemLocale(char* text)
{
    text[0] = '\0';
    UniqueHkey key = openRegKey(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Nls\\Locale",
                                KEY_QUERY_VALUE);
    if (!key) return false;
    char name[textSize];
    readRegText(key.get(), nullptr, name, sizeof name);
    if (name[0] == '\0') return false;
    return readRegText(key.get(), name, text, textSize);
}

void selectJapaneseFont(HWND window)
{
    WindowDc dc(window);
    if (!dc.get()) return;
    LOGFONTA font;
    std::memset(&font, 0, sizeof font);
    font.lfHeight = -MulDiv(16, GetDeviceCaps(dc.get(), LOGPIXELSY), 72);
    font.lfCharSet = SHIFTJIS_CHARSET;              // 128
    font.lfPitchAndFamily = FF_ROMAN;               // 0x10
    UniqueFont created(CreateFontIndirectA(&font));
    if (!created) return;
    HGDIOBJ previous = SelectObject(dc.get(), created.get());
    SelectObject(dc.get(), previous);
}

} // namespace

void logLocaleMsg(const char* tag, const char* text, const char* language)
{
    if (!pathExists("locale.log")) return;
    UniqueFile out("locale.log", "at");
    if (!out) return;
    std::fprintf(out.get(), "%s locale: %s language: %s\n", tag, text, language);
}

void _getLanguage(char* text, char* language)
{
    lowerAscii(text);
    const LanguageRow& row = classifyLanguage(text);
    copyText(language, languageSize, row.name);
    logLocaleMsg(row.tag, text, language);
}

void getLanguage(char* language)
{
    char text[textSize] = "";
    language[0] = '\0';

    if (readUserLocale(text)) {
        _getLanguage(text, language);
        logLocaleMsg("getLang3", text, language);
    }
    if (language[0]) return;

    language[0] = '\0';
    if (readSystemLocale(text)) {
        _getLanguage(text, language);
        logLocaleMsg("getLang2", text, language);
        if (language[0]) return;
    }

    const char* locale = std::setlocale(LC_CTYPE, nullptr);
    std::string lowered = locale ? locale : "";
    lowerAscii(lowered.data());
    if (!equalsNoCase(lowered.data(), "c")) _getLanguage(lowered.data(), language);
    logLocaleMsg("getLang1", lowered.data(), language);

    if (!language[0]) copyText(language, languageSize, "english");
}

void setWindowCharType(HWND window)
{
    char language[messageSize];
    getLanguage(language);
    if (equalsNoCase(language, "japanese")) selectJapaneseFont(window);
}

void selectControlIdCharType(HWND dialog, int controlId, const char* language)
{
    if (!equalsNoCase(language, "japanese")) return;
    HWND control = GetDlgItem(dialog, controlId);
    if (control) selectJapaneseFont(control);
}
