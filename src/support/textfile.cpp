#include "support/textfile.h"

#include "support/limits.h"

#include <cstring>

bool UniqueFile::close()
{
    if (!file_) return true;
    bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
}

void UniqueFile::reset()
{
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

int TextReader::peek()
{
    if (begin_ == end_) {
        if (atEnd_) return EOF;
        end_ = std::fread(chunk_, 1, sizeof chunk_, file_);
        begin_ = 0;
        if (end_ == 0) {
            atEnd_ = true;
            if (std::ferror(file_)) failed_ = true;
            return EOF;
        }
    }
    int c = chunk_[begin_];
    if (c == 0x1A) {
        atEnd_ = true;
        begin_ = end_;
        return EOF;
    }
    return c;
}

int TextReader::next()
{
    int c = peek();
    if (c == EOF) return EOF;
    ++begin_;
    if (c == '\r' && peek() == '\n') {
        ++begin_;
        return '\n';
    }
    return c;
}

bool TextReader::readPiece(char* buffer, std::size_t size)
{
    if (size == 0) return false;
    std::size_t n = 0;
    while (n + 1 < size) {
        int c = next();
        if (c == EOF) break;
        buffer[n++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    buffer[n] = '\0';
    return n > 0;
}

void cutAtLineFeed(char* text)
{
    char* lf = std::strchr(text, '\n');
    if (lf) *lf = '\0';
}

void readStartDir(const char* path, char* dir)
{
    dir[0] = '\0';
    UniqueFile file(path, "rb");
    if (!file) return;
    TextReader reader(file.get());
    if (!reader.readPiece(dir, valueSize)) return;
    std::size_t n = std::strlen(dir);
    while (n > 1 && (dir[n - 1] == ' ' || dir[n - 1] == '\r' || dir[n - 1] == '\n')) dir[--n] = '\0';
}
