// Bounded text helpers for the program's fixed 8-bit text buffers.
// Every buffer in the data model has a size; these helpers never write past it and always leave a
// terminated text. Portable: no windows.h.
#pragma once

#include <cstddef>
#include <cstdio>

#if defined(__MINGW32__)
#define QIV_PRINTF(fmt, args) __attribute__((format(__MINGW_PRINTF_FORMAT, fmt, args)))
#else
#define QIV_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#endif

// Copies src into dst of size bytes. Returns false when src had to be cut to fit.
bool copyText(char* dst, std::size_t size, const char* src);

// Appends src to the text in dst of size bytes. Returns false when src had to be cut to fit.
bool appendText(char* dst, std::size_t size, const char* src);

// snprintf into dst of size bytes. Returns false when the result had to be cut to fit.
bool formatText(char* dst, std::size_t size, const char* format, ...) QIV_PRINTF(3, 4);

// Turns the ASCII letters A to Z into a to z, in place; every other byte stays.
void lowerAscii(char* text);

// Byte order after turning A to Z into a to z, as _stricmp: negative, 0 or positive.
int compareNoCase(const char* a, const char* b);
bool equalsNoCase(const char* a, const char* b);

bool startsWith(const char* text, const char* prefix);
bool contains(const char* text, const char* part);

// Finds part in text ignoring the case of ASCII letters; null when absent.
const char* findNoCase(const char* text, const char* part);
