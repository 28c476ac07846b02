// The version rules of JVM discovery: acceptance against the required, minimum and maximum versions,
// extraction of a version from a test result line, and the split into family and micro part.
// Versions are compared as text, never as numbers. Portable: no windows.h.
#pragma once

#include "jvm/jvmrequest.h"

#include <cstddef>

// The longest found version that is judged; a longer one is judged on its first 999 characters.
constexpr std::size_t versionWorkSize = messageSize;

// True when found satisfies the constraints. With a required version, found is cut to its length and
// must equal it ignoring case; otherwise, cut to the length of each bound, it must not sort before the
// minimum nor (when there is one) after the maximum, in _stricmp order.
bool acceptVersion(const VersionRules& rules, const char* foundVersion);

// Keeps, in place, the text of line from its first decimal digit to its last one; a line without any
// digit becomes empty.
void extractVersion(char* line);

// Splits version into family and micro part: with two or more dots, the family ends at the last dot
// and the micro part is the text after it; otherwise the family is the whole version and the micro
// part "0". The buffers hold familySize and microSize bytes; false when a part had to be cut to fit.
bool parseVersion(const char* version, char* family, std::size_t familySize, char* micro, std::size_t microSize);
