#include "support/fsys.h"

#include <cerrno>
#include <cstdio>

#if defined(_WIN32)
#include "support/handles.h"
#include "support/limits.h"
#include "support/textbuf.h"

#include <io.h>
#define QIV_ACCESS _access
#else
#include <sys/stat.h>
#include <unistd.h>
#define QIV_ACCESS access
#endif

bool pathExists(const char* path)
{
    return QIV_ACCESS(path, 0) == 0;
}

bool removeFile(const char* path)
{
    return std::remove(path) == 0 || !pathExists(path);
}

#if defined(_WIN32)
namespace {
// The volume, file index and attributes of what path opens, a file or a folder; a link is followed unless
// flags ask for the link itself.
bool openedFile(const char* path, DWORD flags, BY_HANDLE_FILE_INFORMATION& info)
{
    UniqueFileHandle file(CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr));
    return file && GetFileInformationByHandle(file.get(), &info);
}
} // namespace

std::string fullPathName(const char* path)
{
    char full[pathSize];
    DWORD length = GetFullPathNameA(path, sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full) return "";
    while (length > 3 && full[length - 1] == '\\') full[--length] = '\0';
    return full;
}

bool opensAsLink(const char* path)
{
    BY_HANDLE_FILE_INFORMATION info;
    return openedFile(path, FILE_FLAG_OPEN_REPARSE_POINT, info) && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool samePlace(const char* a, const char* b)
{
    const std::string fullA = fullPathName(a), fullB = fullPathName(b);
    if (fullA.empty() || fullB.empty()) return false;
    if (equalsNoCase(fullA.c_str(), fullB.c_str())) return true;
    BY_HANDLE_FILE_INFORMATION infoA, infoB;
    return openedFile(fullA.c_str(), 0, infoA) && openedFile(fullB.c_str(), 0, infoB) &&
           infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber && infoA.nFileIndexHigh == infoB.nFileIndexHigh &&
           infoA.nFileIndexLow == infoB.nFileIndexLow;
}
#else
bool samePlace(const char* a, const char* b)
{
    struct stat infoA, infoB;
    return stat(a, &infoA) == 0 && stat(b, &infoB) == 0 && infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
}
#endif
