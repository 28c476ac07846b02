// Which of the program's nine languages the user speaks, from the Windows regional settings and the
// runtime library's locale; and the Japanese font test of the status window.
#pragma once

#include <windows.h>

// Writes a language name ("english", "french", ...; at least 11 bytes). Never fails: the last
// resort is "english". Reads the registry and the locale afresh on every call.
void getLanguage(char* language);

// Lower-cases text in place, classifies it and writes the language name; traces the match to
// "locale.log".
void _getLanguage(char* text, char* language);

// Appends "<tag> locale: <text> language: <language>" to "locale.log" when that file exists.
void logLocaleMsg(const char* tag, const char* text, const char* language);

// For a Japanese user, builds a Shift-JIS font for the window (or one control of a dialog) and
// releases it again; nothing lasting changes. For any other language nothing happens.
void setWindowCharType(HWND window);
void selectControlIdCharType(HWND dialog, int controlId, const char* language);
