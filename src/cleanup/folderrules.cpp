// Which folders the package's cleanup program may empty.
#include "cleanup/folderrules.h"

#include "support/textbuf.h"

#include <cstddef>

namespace {

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

// The length of the root: "X:" for a drive path, "\\server\share" for a share; 0 when not full.
std::size_t rootLength(const std::string& path)
{
    if (path.size() >= 3 && path[1] == ':' && isSeparator(path[2])) return 2;
    if (path.size() < 5 || !isSeparator(path[0]) || !isSeparator(path[1])) return 0;
    std::size_t server = path.find_first_of("\\/", 2);
    if (server == std::string::npos || server == 2) return 0;
    std::size_t share = path.find_first_of("\\/", server + 1);
    if (share == server + 1) return 0;
    return share == std::string::npos ? path.size() : share;
}

// True when folder is inner itself or a folder above it.
bool holds(const std::string& folder, const std::string& inner)
{
    if (inner.empty() || inner.size() < folder.size()) return false;
    if (inner.size() > folder.size() && inner[folder.size()] != '\\') return false;
    return equalsNoCase(folder.c_str(), inner.substr(0, folder.size()).c_str());
}

std::string parentOf(const std::string& folder)
{
    std::size_t last = folder.rfind('\\');
    return last == std::string::npos || last < rootLength(folder) ? std::string() : folder.substr(0, last);
}

} // namespace

std::string comparableFolder(const std::string& path)
{
    std::size_t root = rootLength(path);
    if (root == 0) return {};
    std::string result;
    for (char c : path.substr(0, root)) result += isSeparator(c) ? '\\' : c;
    std::size_t at = root;
    while (at < path.size()) {
        std::size_t end = path.find_first_of("\\/", at);
        if (end == std::string::npos) end = path.size();
        std::string segment = path.substr(at, end - at);
        if (segment == "." || segment == "..") return {};
        if (!segment.empty()) result += "\\" + segment;
        at = end + 1;
    }
    return result;
}

const char* folderRefusal(const std::string& folder, const ProtectedFolders& folders)
{
    std::string path = comparableFolder(folder);
    if (path.empty()) return "not a full path";
    // A drive root reads "X:" here; a share root ends at the root's length.
    if (path.find('\\', path[1] == ':' ? 0 : rootLength(path)) == std::string::npos) return "a drive or share root";
    if (holds(path, comparableFolder(folders.windowsDir))) return "holds the Windows folder";
    std::string profile = comparableFolder(folders.userProfile);
    std::string profiles = parentOf(profile);
    if (holds(path, profile) || (!profiles.empty() && (holds(path, profiles) || equalsNoCase(parentOf(path).c_str(),
                                                                                                 profiles.c_str()))))
        return "holds a user profile";
    if (holds(path, comparableFolder(folders.startDir))) return "holds the start folder";
    std::string program = comparableFolder(folders.programDir);
    if (program.empty() || !equalsNoCase(path.c_str(), program.c_str()))
        return "not the cleanup program's folder";
    return nullptr;
}

std::string cleanupLogFolder(const char* fromEnvironment, const std::string& fromStartFile)
{
    std::string folder = comparableFolder(fromEnvironment ? fromEnvironment : "");
    return folder.empty() ? comparableFolder(fromStartFile) : folder;
}
