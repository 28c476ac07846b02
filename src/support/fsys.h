// File-system questions that the deciding code needs on both platforms. Portable: no windows.h.
#pragma once

#include <string>

// True when a file or folder of that name exists (_access with mode 0 on Windows).
bool pathExists(const char* path);

// Removes a file; false when it could not be removed (a missing file is not an error here).
bool removeFile(const char* path);

// True when a and b name the same file or folder, however each is spelt: the same full path ignoring
// case, or the same file on the same volume (links, short names and other spellings included).
bool samePlace(const char* a, const char* b);

#if defined(_WIN32)
// The full path Windows reads path as, without a separator at its end (a root keeps its own); empty
// when it has none.
std::string fullPathName(const char* path);

// True when path is a link (a junction or a symbolic link) that opens as the link itself, not as what it
// points to: only such a link can be removed without reaching through it.
bool opensAsLink(const char* path);
#endif
