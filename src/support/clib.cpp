#include "support/clib.h"

#include "support/fsys.h"
#include "support/textbuf.h"
#include "support/textfile.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <sys/stat.h>

#if defined(_WIN32)
#include <direct.h>
#define QIV_GETCWD _getcwd
#define QIV_FSEEK _fseeki64
#define QIV_FTELL _ftelli64
#else
#include <unistd.h>
#define QIV_GETCWD getcwd
#define QIV_FSEEK fseeko
#define QIV_FTELL ftello
#endif

namespace {

long long streamSize(std::FILE* in)
{
    if (QIV_FSEEK(in, 0, SEEK_END) != 0) return -1;
    long long size = QIV_FTELL(in);
    if (QIV_FSEEK(in, 0, SEEK_SET) != 0) return -1;
    return size;
}

} // namespace

static void unbuffered(const UniqueFile& file);

int copyBufferCount(long long size)
{
    if (size < 0) size = 0;
    long long count = size / static_cast<long long>(copyBufferSize) + 1;
    return count > copyBufferLimit ? copyBufferLimit : static_cast<int>(count);
}

int allocateCopyBuffers(std::unique_ptr<char[]>& block, int count)
{
    for (; count > 0; --count) {
        block.reset(new (std::nothrow) char[static_cast<std::size_t>(count) * copyBufferSize]);
        if (block) break;
    }
    return count;
}

bool copyStream(std::FILE* in, std::FILE* out)
{
    if (!in || !out) return false;
    long long size = streamSize(in);
    if (size < 0) return false;

    std::unique_ptr<char[]> buffers;
    int count = allocateCopyBuffers(buffers, copyBufferCount(size));
    if (count == 0) return false;
    const std::size_t passSize = static_cast<std::size_t>(count) * copyBufferSize;

    // Only the bytes that were there when the copy began: a source that grows meanwhile (a log that is
    // written to, or that is the target itself) would otherwise be followed without end.
    long long written = 0;
    while (written < size) {
        long long left = size - written;
        std::size_t wanted = left < static_cast<long long>(passSize) ? static_cast<std::size_t>(left) : passSize;
        std::size_t received = std::fread(buffers.get(), 1, wanted, in);
        if (received > 0) {
            if (std::fwrite(buffers.get(), 1, received, out) != received) return false;
            written += static_cast<long long>(received);
        }
        if (received < wanted) {
            if (std::ferror(in)) return false;
            break;
        }
    }
    return std::fflush(out) == 0 && written == size;
}

const char* fileNamePart(const char* path)
{
    const char* slash = std::strrchr(path, '\\');
    return slash ? slash + 1 : path;
}

bool isDir(const char* path)
{
    struct stat info;
    if (stat(path, &info) != 0) return false;
    return (info.st_mode & S_IFMT) == S_IFDIR;
}

// The copy buffers are large already: a second buffer in the runtime would only copy every byte once
// more.
static void unbuffered(const UniqueFile& file)
{
    if (file) std::setvbuf(file.get(), nullptr, _IONBF, 0);
}

// A source that can be copied: it exists and is not a folder.
static bool isCopySource(const char* source)
{
    struct stat info;
    return stat(source, &info) == 0 && (info.st_mode & S_IFMT) != S_IFDIR;
}

bool appendFile(const char* source, const char* target)
{
    // A file appended to itself doubles at best.
    if (!isCopySource(source) || samePlace(source, target)) return false;
    UniqueFile in(source, "rb");
    UniqueFile out(target, "ab");
    unbuffered(in);
    unbuffered(out);
    bool copied = copyStream(in.get(), out.get());
    return out.close() && copied;
}

#if !defined(_WIN32) // on Windows the system's own calls copy: support/copyfile_win.cpp
bool copyFile(const char* source, const char* target)
{
    if (!isCopySource(source)) return false;
    UniqueFile in(source, "rb");
    if (!in) return false;
    UniqueFile out(target, "wb");
    if (!out) return false;
    unbuffered(in);
    unbuffered(out);
    bool copied = copyStream(in.get(), out.get());
    copied = out.close() && copied;
    if (!copied) std::remove(target);
    return copied;
}
#endif

char* getPathPtr()
{
    char* path = std::getenv("path");
    if (!path) path = std::getenv("PATH");
    if (!path) path = std::getenv("Path");
    return path;
}

void getCurrentDir(char* dir)
{
    if (!QIV_GETCWD(dir, valueSize) || dir[0] == '\0') {
        copyText(dir, valueSize, ".");
        return;
    }
    std::size_t length = std::strlen(dir);
    if (dir[length - 1] == '\\') dir[length - 1] = '\0';
}

void getJavaHomeDirectory(const char* javaPath, char* home)
{
    std::size_t length = std::strlen(javaPath);
    std::memmove(home, javaPath, length + 1);
    char* lastSlash = std::strrchr(home, '\\');
    if (!lastSlash) return;
    *lastSlash = '\0';

    // The launcher's folder is the home, unless it is the home's "bin" folder.
    char* folder = std::strrchr(home, '\\');
    const char* name = folder ? folder + 1 : home;
    if (!equalsNoCase(name, "bin")) return;
    if (folder)
        *folder = '\0';
    else
        std::strcpy(home, "."); // "bin\java.exe": the home is the current folder
}

bool findDirInPath(const char* pathValue, const char* name, char* out, std::size_t size)
{
    if (!pathValue || !name[0]) return false;
    const std::string original = pathValue;
    std::string lowered = original;
    lowerAscii(lowered.data());
    std::size_t nameLength = std::strlen(name);
    std::size_t start = 0;
    while (start <= lowered.size()) {
        std::size_t end = lowered.find(';', start);
        if (end == std::string::npos) end = lowered.size();
        std::size_t length = end - start;
        std::size_t entryStart = start;
        start = end + 1;
        if (length == 0 || length >= size) continue;
        std::size_t at = lowered.find(name, entryStart);
        if (at == std::string::npos || at + nameLength != end) continue;
        // The folder is looked up as the PATH spells it; it is handed on lower-cased.
        if (!pathExists(original.substr(entryStart, length).c_str())) continue;
        copyText(out, size, lowered.substr(entryStart, length).c_str());
        return true;
    }
    return false;
}
