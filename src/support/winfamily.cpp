#include "support/winfamily.h"

WinFamilyDecision decideWinFamily(unsigned long version, bool previousIsNT)
{
    if ((version & 0x80000000ul) == 0) return {true, false};
    if ((version & 0xFFul) > 3) return {false, false};
    return {previousIsNT, true};
}
