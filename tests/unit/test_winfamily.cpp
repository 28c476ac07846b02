#include "support/winfamily.h"

#include <gtest/gtest.h>

TEST(DecideWinFamily, HighestBitAndMajorVersion)
{
    struct Case {
        unsigned long version;
        bool previous;
        bool isNT, bad;
    } cases[] = {
        {0x1DB10106ul, false, true, false}, // Windows 7
        {0x0ECE0205ul, false, true, false}, // Windows XP x64
        {0x00000004ul, false, true, false}, // NT 4
        {0xC0000A04ul, true, false, false}, // Windows 98: major 4
        {0x80000003ul, false, false, true}, // Win32s on 3.x: neither family
        {0x80000003ul, true, true, true},   // ... and the answer stays as it was
        {0x80000000ul, false, false, true},
    };
    for (const Case& c : cases) {
        WinFamilyDecision d = decideWinFamily(c.version, c.previous);
        EXPECT_EQ(d.isNT, c.isNT) << std::hex << c.version;
        EXPECT_EQ(d.badVersion, c.bad) << std::hex << c.version;
    }
}
