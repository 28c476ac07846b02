#include "support/removetree.h"

#include "support/fsys.h"
#include "support/handles.h"
#include "support/textbuf.h"

#include <direct.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Removes a link (a junction or a symbolic link, to a folder or a file) itself, never what it points to.
// Where the system opens the target when asked for the link (Wine does so with a host's symbolic link,
// and its RemoveDirectoryA then removes an empty target), the link stays, and false comes back.
bool removeLink(const char* path, DWORD attributes)
{
    if (!opensAsLink(path)) return false;
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? RemoveDirectoryA(path) : DeleteFileA(path);
}

// Removes what directory holds and, when all of it went, directory itself; false when the failure
// callback asked to stop. A directory that is itself a link (a wizard may leave one where a folder
// was) goes as a link, so a link to a folder is handled wherever the folder would be.
bool removeFolder(const std::string& directory, const RemoveFailure& failed, const std::vector<std::string>& keep,
                  bool& removedAll, bool topLevel)
{
    DWORD own = GetFileAttributesA(directory.c_str());
    if (own != INVALID_FILE_ATTRIBUTES && (own & FILE_ATTRIBUTE_REPARSE_POINT)) {
        if (removeLink(directory.c_str(), own)) return true;
        removedAll = false;
        return failed(directory);
    }
    std::vector<WIN32_FIND_DATAA> entries;
    WIN32_FIND_DATAA entry;
    UniqueFindFile search(FindFirstFileA((directory + "\\*.*").c_str(), &entry));
    if (search) {
        do {
            if (std::strcmp(entry.cFileName, ".") != 0 && std::strcmp(entry.cFileName, "..") != 0)
                entries.push_back(entry);
        } while (FindNextFileA(search.get(), &entry));
    }
    search.reset();

    bool inner = true;
    for (const WIN32_FIND_DATAA& found : entries) {
        std::string path = directory + "\\" + found.cFileName;
        auto isPath = [&](const std::string& kept) { return equalsNoCase(path.c_str(), kept.c_str()); };
        if (std::any_of(keep.begin(), keep.end(), isPath)) continue;
        DWORD attributes = found.dwFileAttributes;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!removeFolder(path, failed, keep, inner, false)) return false;
            continue;
        }
        bool removed = attributes & FILE_ATTRIBUTE_REPARSE_POINT ? removeLink(path.c_str(), attributes)
                                                                 : std::remove(path.c_str()) == 0;
        if (!removed) {
            inner = false;
            if (!failed(path)) return false;
        }
    }
    removedAll = removedAll && inner;
    // What stayed inside has been reported; the given folder itself may hold the files kept.
    if (!inner || topLevel) {
        _rmdir(directory.c_str());
        return true;
    }
    if (_rmdir(directory.c_str()) == 0) return true;
    removedAll = false;
    return failed(directory);
}

} // namespace

bool removeTree(const char* directory, const RemoveFailure& failed, const std::vector<std::string>& keep)
{
    // A stop asked by the failure callback leaves something behind too.
    bool removedAll = true;
    return removeFolder(directory, failed, keep, removedAll, true) && removedAll;
}
