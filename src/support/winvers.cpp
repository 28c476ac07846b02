#include "support/winvers.h"

#include "support/winfamily.h"

#include <windows.h>

WinVersion::WinVersion() : isNT(false), calls(0) {}

WinVersion::~WinVersion() = default;

bool WinVersion::winNT()
{
    if (calls > 0) return isNT;
    WinFamilyDecision decision = decideWinFamily(GetVersion(), isNT);
    isNT = decision.isNT;
    if (decision.badVersion) traceMessage(traceLog, "Bad version of windows");
    ++calls;
    return isNT;
}
