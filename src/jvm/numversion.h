// Versions read as numbers, for the extended JVM search: vendors' runtimes report "17.0.10+7",
// "21-ea" or "1.8.0_392", which text order misranks ("9" above "11"). Portable: no windows.h.
#pragma once

#include "jvm/jvmrequest.h"

#include <cstdint>

// Elements beyond this many are not read: no runtime's version has more than five.
constexpr int numVersionElements = 12;
// An element too large for its type reads as this value, so that it still sorts above the others.
constexpr std::uint32_t numElementLimit = UINT32_MAX;

struct NumVersion {
    std::uint32_t element[numVersionElements] = {};
    int count = 0;           // elements read; missing ones count as 0
    bool preRelease = false; // a "-ea" style tag followed the numbers
};

// Reads version (leading blanks skipped) into out. A leading "1." before a digit is dropped; ".",
// "_", "+" and "-" separate the numbers; a "-" before a letter starts a pre-release tag, which ends
// the reading ("-b08", the old build number, is read as a number instead). Reading also stops at the
// first other character. False, with out empty, when version does not begin with a digit.
bool parseNumVersion(const char* version, NumVersion& out);

// Negative, 0 or positive as a sorts below, with or above b: element by element, then a pre-release
// below its release. Two pre-releases of the same numbers are equal.
int compareNumVersions(const NumVersion& a, const NumVersion& b);

// True when version satisfies the rules. Each bound is a prefix: version is cut to the bound's number
// of elements before comparing, and pre-release tags are ignored. An empty or blank bound is absent; a
// bound that does not begin with a digit accepts no version, and neither does a version that does not
// when any bound is set.
bool acceptNumericVersion(const VersionRules& rules, const char* version);
