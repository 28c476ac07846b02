// File utilities: copying and appending files through a bounded set of buffers, folders, the search
// path, the current folder, and the home folder of a JVM launcher. Portable: no windows.h.
#pragma once

#include "support/limits.h"

#include <cstddef>
#include <cstdio>
#include <memory>


// Copies in, from its start, to out: the bytes it holds when the copy begins. True when every one of
// them was written. The streams stay open and remain the caller's.
bool copyStream(std::FILE* in, std::FILE* out);

// The number of buffers copyStream uses for an input of size bytes.
int copyBufferCount(long long size);

// Up to count copy buffers side by side in block, so that a pass is read and written in one call each;
// when the memory is not there, fewer buffers do. Returns how many it got (0: not even one).
int allocateCopyBuffers(std::unique_ptr<char[]>& block, int count);

// The file name of a path: the text after its last backslash, or all of it.
const char* fileNamePart(const char* path);

// True when path exists and is a folder.
bool isDir(const char* path);

// Appends the bytes of the file source to target, creating target when absent. True when every byte
// of source was appended; false, and nothing appended, when target is source itself in any spelling.
bool appendFile(const char* source, const char* target);

// Makes target an exact copy of the file source. On failure no partial target is left behind.
bool copyFile(const char* source, const char* target);

// The value of the search path variable ("path", "PATH", then "Path"), or null.
char* getPathPtr();

// Writes the current folder into dir (valueSize bytes) without a trailing backslash; "." when it cannot
// be had.
void getCurrentDir(char* dir);

// Writes into home (as large as javaPath) the home folder of the launcher javaPath: the launcher's
// folder, or that folder's parent when the folder is named "bin" in any case. A path without a
// folder comes back unchanged.
void getJavaHomeDirectory(const char* javaPath, char* home);

// Searches the ";"-separated folders of pathValue for the first one that ends with name (name must be
// lower case; the comparison is on a lower-cased copy): name's first occurrence must reach the
// entry's end, and the folder must exist. Writes that entry, lower-cased, into out (size bytes).
// Entries that would not fit out are passed over.
bool findDirInPath(const char* pathValue, const char* name, char* out, std::size_t size);
