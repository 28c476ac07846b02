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
// The volume and file index of what path opens, a file or a folder (a link is followed).
bool fileIdentity(const char* path, BY_HANDLE_FILE_INFORMATION& info)
{
    UniqueFileHandle file(CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file && GetFileInformationByHandle(file.get(), &info);
}
} // namespace

bool samePlace(const char* a, const char* b)
{
    char fullA[pathSize], fullB[pathSize];
    DWORD lengthA = GetFullPathNameA(a, sizeof fullA, fullA, nullptr);
    DWORD lengthB = GetFullPathNameA(b, sizeof fullB, fullB, nullptr);
    if (lengthA == 0 || lengthA >= sizeof fullA || lengthB == 0 || lengthB >= sizeof fullB) return false;
    if (equalsNoCase(fullA, fullB)) return true;
    BY_HANDLE_FILE_INFORMATION infoA, infoB;
    return fileIdentity(fullA, infoA) && fileIdentity(fullB, infoB) &&
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
