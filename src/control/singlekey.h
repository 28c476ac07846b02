// The lookup of one control-file key at the time it is needed ("configureWinRegistry",
// "jvmThirdPartyInstaller"): the first line with the key wins. Portable: no windows.h.
#pragma once

#include <cstddef>
#include <cstdio>

#include "support/limits.h"

struct ControlKeyLookup {
    bool opened = false; // the control file, or else the fallback file, could be opened
    bool found = false;  // a line begins with the key
    char line[lineSize] = ""; // that line as read (at most 998 characters), without its line feed
    std::size_t valueOffset = 0;

    // The text after the key and one separator character; empty when the line ends there.
    const char* value() const { return line + valueOffset; }
};

// Opens controlFile for reading, or fallbackFile when that fails, and reads lines by the control-file
// rules until the first one that begins with key.
ControlKeyLookup lookUpControlKey(const char* key, const char* fallbackFile, const char* controlFile = "qiv.control");

// The same on an open stream (binary mode): fills lookup.found, lookup.line and the value.
void findControlKeyLine(std::FILE* in, const char* key, ControlKeyLookup& lookup);

// "true" or "yes", in any case.
bool isAffirmative(const char* value);
