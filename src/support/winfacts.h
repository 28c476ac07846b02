// What the program needs to know about the Windows it runs on: its era and family, and where its
// Windows, Program Files and documents folders are. The traces go to the caller's "jinstall.log".
#pragma once

#include "support/trace.h"

#include <cstddef>

// True on Windows Vista and later.
bool isVistaOrWindows7(Trace& tracer);
// True on the NT family.
bool isWinNT();

// True when a folder of the PATH ends with name (case ignored); dir (pathSize bytes) receives that
// entry, lower-cased. The whole PATH is searched, however long; an entry that would not fit dir is
// passed over.
bool isDirInPath(const char* name, char* dir);

// A registry value that may name the Windows directory, and the line traced when it does (or null).
struct WindowsDirectorySource {
    const char* key;
    const char* value;
    const char* traceLine;
};

// Reads the Windows directory into dir from the registry values of the family, in their order (NT:
// four values; with windows95Too the Windows 95 value after them), each at most valueLimit bytes.
// The source that gave it, or null.
const WindowsDirectorySource* readWindowsDirectory(bool nt, bool windows95Too, std::size_t valueLimit, char* dir);
// The Windows directory without the registry: the PATH folder named after the family ("winnt" or
// "windows"), else that fixed folder on drive C when it exists. False (dir empty) otherwise.
bool guessWindowsDirectory(bool nt, char* dir);

// The Windows directory (the registry, then the guess); dir holds pathSize bytes.
bool getWindowsDirectory(char* dir);
bool getProgramFilesDirectory(Trace& tracer, char* dir);
// The common documents folder, else the user's, from the shell.
bool getDocumentsDirectory(char* dir);
// The Programs folder: the documents folder on Vista and later, the Program Files folder before.
bool getProgramsDirectory(Trace& tracer, char* dir);
