// The language names of the program and the rule that turns a regional-settings or locale text into
// one of them. Portable: no windows.h.
#pragma once

// The replacement character U+FFFD in UTF-8: the stored texts hold these three bytes in the places
// of letters outside ASCII, and they are shown as they are.
#define QIV_FFFD "\xEF\xBF\xBD"

struct LanguageRow {
    const char* name;           // "french", ..., "english"
    const char* tag;            // "French found", ... for "locale.log"
    const char* contained;      // matches when the text contains it (null for the fallback row)
    const char* const* aliases; // matches when the text begins with one of them; null-terminated
};

// The classification table in its order; the last row is the "english" fallback.
const LanguageRow* languageTable(int* count);

// Classifies text, which must already be lower-cased: the first row whose name the text contains,
// or with one of whose aliases it begins; the fallback row when none matches.
const LanguageRow& classifyLanguage(const char* loweredText);

// The sentence appended to every error box: chosen by exact comparison of the language name, the
// "english" one for any other text.
const char* errorSuffix(const char* language);
