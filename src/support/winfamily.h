// Which Windows family a GetVersion value stands for. Portable: no windows.h.
#pragma once

struct WinFamilyDecision {
    bool isNT;
    bool badVersion; // the 95-family bit with a major version of 3 or less: the answer stays as it was
};

// The NT family has the highest bit clear; with it set, a major version (low byte) above 3 is the
// 95 family, and anything lower is a bad version that leaves previousIsNT unchanged.
WinFamilyDecision decideWinFamily(unsigned long version, bool previousIsNT);
