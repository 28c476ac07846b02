// WinVersion: whether this Windows belongs to the NT family or the 95 family. The answer is computed
// once per object and then kept.
#pragma once

#include "support/trace.h"

class WinVersion : public Trace {
public:
    WinVersion();
    ~WinVersion();

    // True on the NT family. Traces "Bad version of windows" for a version that belongs to neither.
    bool winNT();

    // How many times the question was answered from the system (0 or 1).
    int answered() const { return calls; }

private:
    bool isNT;
    int calls;
};
