// Loading a system DLL that the program only probes for: from the system folder, never from the
// package folder the program runs in, where anybody may have put a DLL of that name.
#pragma once

#include <windows.h>

// The library from the system folder, or null. It stays loaded.
HMODULE loadSystemLibrary(const char* name);
