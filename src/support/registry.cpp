#include "support/registry.h"

#include "support/regtext.h"

UniqueHkey openRegKey(HKEY root, const char* subkey, REGSAM access)
{
    UniqueHkey key;
    if (RegOpenKeyExA(root, subkey, 0, access, key.put()) != ERROR_SUCCESS) key.reset();
    return key;
}

bool readRegText(HKEY key, const char* name, char* buffer, std::size_t size)
{
    if (size == 0) return false;
    buffer[0] = '\0';
    DWORD bytes = regReadCapacity(size);
    LONG status = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &bytes);
    return finishRegText(buffer, size, status, bytes);
}

bool readRegText(HKEY root, const char* subkey, const char* name, char* buffer, std::size_t size)
{
    if (size > 0) buffer[0] = '\0';
    UniqueHkey key = openRegKey(root, subkey, KEY_QUERY_VALUE);
    if (!key) return false;
    return readRegText(key.get(), name, buffer, size);
}
