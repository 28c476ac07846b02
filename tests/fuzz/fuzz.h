// What the fuzz targets share: the check that names a broken promise, the input read as C texts or as a
// stream, and the words a Windows program reads from its command line.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// A finding should say which promise broke, not only where the target stopped.
#define FUZZ_CHECK(condition)                                                                                  \
    ((condition) ? (void)0                                                                                     \
                 : (std::fprintf(stderr, "broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__), std::abort()))

// A C text in a block of exactly its size, so that a read past its NUL is caught.
using CText = std::vector<char>;

inline CText cText(const std::string& text)
{
    return CText(text.c_str(), text.c_str() + std::strlen(text.c_str()) + 1);
}

// The input as count texts, one a line (missing lines are empty), each ending at its first NUL.
inline std::vector<CText> fuzzLines(const uint8_t* data, size_t size, size_t count)
{
    std::vector<CText> lines;
    const char *p = reinterpret_cast<const char*>(data), *end = p + size;
    while (lines.size() < count) {
        const char* lineEnd = std::find(p, end, '\n');
        lines.push_back(cText(std::string(p, lineEnd)));
        p = lineEnd == end ? end : lineEnd + 1;
    }
    return lines;
}

// words joined by single blanks, as the process start joins a vector into a command line.
inline std::string joined(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& word : words) text += (&word == &words[0] ? "" : " ") + word;
    return text;
}

// The words a Windows program's runtime reads from its command line: blanks outside double quotes
// separate, and the quotes go.
inline std::vector<std::string> runtimeWords(const std::string& line)
{
    std::vector<std::string> words;
    bool quoted = false, inWord = false;
    for (char c : line) {
        if (c == ' ' && !quoted) {
            inWord = false;
            continue;
        }
        if (!inWord) words.emplace_back();
        inWord = true;
        if (c == '"') quoted = !quoted;
        else words.back() += c;
    }
    return words;
}

// A read stream over size bytes. fmemopen refuses a zero size, so an empty input is a one-byte stream
// with that byte already read.
inline std::FILE* openBytes(const void* data, size_t size)
{
    static char empty = 0;
    std::FILE* in = size ? fmemopen(const_cast<void*>(data), size, "rb") : fmemopen(&empty, 1, "r+b");
    if (!in) std::abort();
    if (size == 0) std::fgetc(in);
    return in;
}
