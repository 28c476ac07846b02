// File-system questions that the deciding code needs on both platforms. Portable: no windows.h.
#pragma once

// True when a file or folder of that name exists (_access with mode 0 on Windows).
bool pathExists(const char* path);

// Removes a file; false when it could not be removed (a missing file is not an error here).
bool removeFile(const char* path);

// True when a and b name the same file or folder, however each is spelt: the same full path ignoring
// case, or the same file on the same volume (links, short names and other spellings included).
bool samePlace(const char* a, const char* b);
