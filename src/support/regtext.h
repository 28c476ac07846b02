// Turning the bytes that a registry read returned into a text that ends inside its buffer.
// Portable: no windows.h, so the rule is tested on crafted bytes, not only through a registry that
// terminates strings itself.
#pragma once

#include <cstddef>

// The byte count to offer the registry for a buffer of size bytes.
unsigned long regReadCapacity(std::size_t size);

// Ends the text in buffer (size bytes) after a read that returned status (0 for success) and
// reported returnedBytes. Whatever the value's type or length, the text ends inside the buffer: a
// value that filled the whole buffer without a NUL of its own has no room for one and, like a
// failed or oversized read, leaves an empty text. Returns true when the text is not empty.
bool finishRegText(char* buffer, std::size_t size, long status, unsigned long returnedBytes);
