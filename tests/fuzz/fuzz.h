// The frame of the fuzz targets: each target is its reader and its promises, and a broken promise says
// which one broke.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#define FUZZ_CHECK(condition)                                                                                  \
    ((condition) ? (void)0                                                                                     \
                 : (std::fprintf(stderr, "broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__), std::abort()))

// A C text in a block of exactly its size, so that a read past its NUL is caught.
using CText = std::vector<char>;

inline CText cText(const std::string& text)
{
    return CText(text.c_str(), text.c_str() + std::strlen(text.c_str()) + 1);
}

// The first count lines of the bytes as C texts, each ending at its first NUL (missing lines are empty).
inline std::vector<CText> linesOf(const std::string& bytes, std::size_t count)
{
    std::vector<CText> lines;
    for (std::size_t at = 0; lines.size() < count; at = std::min(bytes.find('\n', at), bytes.size()) + 1)
        lines.push_back(cText(at > bytes.size() ? "" : bytes.substr(at, bytes.find('\n', at) - at)));
    return lines;
}

// The body that follows gets the input as bytes and as its first lineCount lines.
#define FUZZ_TARGET(lineCount)                                                                                 \
    static void fuzzTarget(const std::string& bytes, const std::vector<CText>& lines);                       \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)                                    \
    {                                                                                                          \
        std::string bytes(reinterpret_cast<const char*>(data), size);                                         \
        fuzzTarget(bytes, linesOf(bytes, lineCount));                                                          \
        return 0;                                                                                              \
    }                                                                                                          \
    static void fuzzTarget([[maybe_unused]] const std::string& bytes, [[maybe_unused]] const std::vector<CText>& lines)

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
        bool separates = c == ' ' && !quoted;
        if (!separates && !inWord) words.emplace_back();
        inWord = !separates;
        if (c == '"') quoted = !quoted;
        else if (!separates) words.back() += c;
    }
    return words;
}

using Stream = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// A read stream over the bytes, closed at the end of the full expression that opened it. fmemopen refuses
// a zero size, so no bytes are a one-byte stream with that byte already read.
inline Stream openBytes(const std::string& bytes)
{
    static char empty = 0;
    std::FILE* in = bytes.empty() ? fmemopen(&empty, 1, "r+b")
                                  : fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
    if (!in) std::abort();
    if (bytes.empty()) std::fgetc(in);
    return {in, std::fclose};
}
