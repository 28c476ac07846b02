#include "support/textbuf.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

bool copyText(char* dst, std::size_t size, const char* src)
{
    if (size == 0) return src[0] == '\0';
    std::size_t length = std::strlen(src);
    bool fits = length < size;
    if (!fits) length = size - 1;
    std::memmove(dst, src, length);
    dst[length] = '\0';
    return fits;
}

bool appendText(char* dst, std::size_t size, const char* src)
{
    std::size_t used = strnlen(dst, size);
    if (used >= size) return src[0] == '\0';
    return copyText(dst + used, size - used, src);
}

bool formatText(char* dst, std::size_t size, const char* format, ...)
{
    if (size == 0) return false;
    va_list args;
    va_start(args, format);
    int written = std::vsnprintf(dst, size, format, args);
    va_end(args);
    if (written < 0) {
        dst[0] = '\0';
        return false;
    }
    return static_cast<std::size_t>(written) < size;
}

static char lowerChar(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

void lowerAscii(char* text)
{
    for (; *text; ++text) *text = lowerChar(*text);
}

int compareNoCase(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        unsigned char ca = static_cast<unsigned char>(lowerChar(*a));
        unsigned char cb = static_cast<unsigned char>(lowerChar(*b));
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

bool equalsNoCase(const char* a, const char* b)
{
    return compareNoCase(a, b) == 0;
}

bool startsWith(const char* text, const char* prefix)
{
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

bool contains(const char* text, const char* part)
{
    return std::strstr(text, part) != nullptr;
}

const char* findNoCase(const char* text, const char* part)
{
    std::size_t n = std::strlen(part);
    for (const char* p = text;; ++p) {
        std::size_t i = 0;
        while (i < n && p[i] && lowerChar(p[i]) == lowerChar(part[i])) ++i;
        if (i == n) return p;
        if (!*p) return nullptr;
    }
}
