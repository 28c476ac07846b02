// Reading registry values as 8-bit text into the program's fixed buffers.
#pragma once

#include "support/handles.h"
#include "support/limits.h"

#include <windows.h>

#include <cstddef>

// Opens root\subkey with the given access; the key is empty when it cannot be opened.
UniqueHkey openRegKey(HKEY root, const char* subkey, REGSAM access);

// Reads the value name (null or "" for the default value) of an open key into buffer (size bytes).
// The value's type is not checked: whatever comes back ends inside the buffer. A value that is
// missing, unreadable or longer than the buffer reads as empty. True when the text is not empty.
bool readRegText(HKEY key, const char* name, char* buffer, std::size_t size);

// The same for root\subkey opened with KEY_QUERY_VALUE; a key that cannot be opened reads as empty.
bool readRegText(HKEY root, const char* subkey, const char* name, char* buffer, std::size_t size);

// Calls back for every subkey name of key, in index order, until the enumeration ends. A name that
// cannot be read (longer than valueSize bytes) is passed as null. An error other than "more data" ends
// the walk, so that a key that went bad cannot keep it going for ever.
template <class Visit>
void forEachSubkey(HKEY key, Visit visit)
{
    for (DWORD index = 0;; ++index) {
        char name[valueSize];
        DWORD length = sizeof name;
        LONG status = RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) return;
        if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) return;
        if (status == ERROR_SUCCESS) {
            name[length < sizeof name ? length : sizeof name - 1] = '\0';
            visit(name);
        } else {
            visit(nullptr);
        }
    }
}
