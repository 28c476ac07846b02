#include "support/regtext.h"

unsigned long regReadCapacity(std::size_t size)
{
    return size < 0xFFFFFFFFul ? static_cast<unsigned long>(size) : 0xFFFFFFFFul;
}

bool finishRegText(char* buffer, std::size_t size, long status, unsigned long returnedBytes)
{
    if (size == 0) return false;
    bool fits = status == 0 && (returnedBytes < size || (returnedBytes == size && buffer[size - 1] == '\0'));
    if (!fits) {
        buffer[0] = '\0';
        return false;
    }
    if (returnedBytes < size) buffer[returnedBytes] = '\0';
    return buffer[0] != '\0';
}
