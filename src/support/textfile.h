// Reading 8-bit text files the way the Windows runtime's text mode reads them, on any platform.
// Portable: no windows.h.
#pragma once

#include <cstddef>
#include <cstdio>

// Owns a FILE* and closes it.
class UniqueFile {
public:
    UniqueFile() = default;
    explicit UniqueFile(std::FILE* file) : file_(file) {}
    UniqueFile(const char* path, const char* mode) : file_(std::fopen(path, mode)) {}
    ~UniqueFile() { reset(); }
    UniqueFile(const UniqueFile&) = delete;
    UniqueFile& operator=(const UniqueFile&) = delete;
    UniqueFile(UniqueFile&& other) noexcept : file_(other.file_) { other.file_ = nullptr; }
    UniqueFile& operator=(UniqueFile&& other) noexcept
    {
        if (this != &other) {
            reset();
            file_ = other.file_;
            other.file_ = nullptr;
        }
        return *this;
    }

    std::FILE* get() const { return file_; }
    explicit operator bool() const { return file_ != nullptr; }
    // Closes the file; false when the close reported an error (for example data not written).
    bool close();
    void reset();

private:
    std::FILE* file_ = nullptr;
};

// Reads a stream that was opened in binary mode as text: a CR LF pair reads as one line feed, and a
// byte 0x1A ends the text, as in Windows text mode. A lone CR stays a CR.
class TextReader {
public:
    explicit TextReader(std::FILE* file) : file_(file) {}

    // Reads the next piece of a line as fgets does: at most size - 1 bytes, stopping after a line
    // feed. The piece is terminated inside buffer. Returns false at the end of the text.
    bool readPiece(char* buffer, std::size_t size);

    // True when a read error (not the end of the text) stopped reading.
    bool failed() const { return failed_; }

private:
    int next();
    int peek();

    std::FILE* file_;
    unsigned char chunk_[8192];
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    bool failed_ = false;
};

// Removes the first line feed from text and everything after it.
void cutAtLineFeed(char* text);

// The start folder recorded in "startdir.txt": the file's first line (at most 4999 characters) with
// trailing blanks, CRs and LFs removed, never its first character. Empty when the file is missing or
// cannot be opened. dir holds pathSize bytes.
void readStartDir(const char* path, char* dir);
