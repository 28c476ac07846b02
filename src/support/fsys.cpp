#include "support/fsys.h"

#include <cerrno>
#include <cstdio>

#if defined(_WIN32)
#include <io.h>
#define QIV_ACCESS _access
#else
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
