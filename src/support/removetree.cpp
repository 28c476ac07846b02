#include "support/removetree.h"

#include "support/handles.h"
#include "support/textbuf.h"

#include <direct.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Removes what directory holds; false when the failure callback asked to stop.
bool removeContents(const std::string& directory, const RemoveFailure& failed, const std::vector<std::string>& keep,
                    bool& removedAll)
{
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

    for (const WIN32_FIND_DATAA& found : entries) {
        std::string path = directory + "\\" + found.cFileName;
        auto isPath = [&](const std::string& kept) { return equalsNoCase(path.c_str(), kept.c_str()); };
        if (std::any_of(keep.begin(), keep.end(), isPath)) continue;
        DWORD attributes = found.dwFileAttributes;
        bool removed;
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            // A link (to a folder or a file): the link goes, never what it points to.
            removed = RemoveDirectoryA(path.c_str()) || DeleteFileA(path.c_str());
        } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            bool inner = true;
            if (!removeContents(path, failed, keep, inner)) return false;
            removedAll = removedAll && inner;
            if (!inner) continue; // what stayed inside has been reported
            removed = _rmdir(path.c_str()) == 0;
        } else {
            removed = std::remove(path.c_str()) == 0;
        }
        if (!removed) {
            removedAll = false;
            if (!failed(path)) return false;
        }
    }
    return true;
}

} // namespace

bool removeTree(const char* directory, const RemoveFailure& failed, const std::vector<std::string>& keep)
{
    bool removedAll = true;
    removeContents(directory, failed, keep, removedAll);
    _rmdir(directory);
    return removedAll;
}
