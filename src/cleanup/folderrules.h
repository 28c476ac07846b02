// The rules of the package's cleanup program: which folders it may empty and where its log goes.
// Portable: no windows.h.
#pragma once

#include <string>

// The folders the cleanup program must never empty, as this machine and this run name them; an empty
// entry is not known and protects nothing.
struct ProtectedFolders {
    std::string windowsDir;
    std::string userProfile;  // the user's own profile; its parent holds every user's profile
    std::string startDir;     // where the user started the installation: the logs went there
    std::string programDir;   // the folder that holds the running cleanup program
};

// A full path in the one spelling the rules compare: "\" separators, no trailing separator, no
// repeated separator. Empty for a path that is not full ("X:\..." or "\\server\share\...") or that
// holds a "." or ".." segment, so that a spelling can never lead somewhere else than it seems to.
std::string comparableFolder(const std::string& path);

// Why folder must not be emptied, as a short phrase for the log; nullptr when it may be. A folder is
// refused when it is a drive or share root, holds or is the Windows folder, a user's profile or the
// start folder, or is not the folder the cleanup program was started from.
const char* folderRefusal(const std::string& folder, const ProtectedFolders& folders);

// The folder where the log of what could not be removed goes: the start folder the unpacker passed
// in the environment, else the one recorded in the package's "startdir.txt" (read by the caller);
// empty when neither names a full path.
std::string cleanupLogFolder(const char* fromEnvironment, const std::string& fromStartFile);
