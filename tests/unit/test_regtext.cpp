#include "support/regtext.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
// A 16-byte buffer in the middle of guard bytes, filled as a registry read might leave it.
struct Buffer {
    char bytes[32];
    char* data() { return bytes + 8; }
    static constexpr std::size_t size = 16;

    explicit Buffer(const std::string& content)
    {
        std::memset(bytes, 'G', sizeof bytes);
        std::memcpy(data(), content.data(), content.size());
    }
    bool guardsIntact() const
    {
        for (int i = 0; i < 8; ++i)
            if (bytes[i] != 'G' || bytes[24 + i] != 'G') return false;
        return true;
    }
};
} // namespace

TEST(RegReadCapacity, OffersTheWholeBuffer)
{
    EXPECT_EQ(regReadCapacity(200), 200ul);
    EXPECT_EQ(regReadCapacity(0), 0ul);
}

TEST(FinishRegText, EveryReadEndsInsideTheBuffer)
{
    struct Case {
        const char* what;
        std::string content; // what the read left in the buffer
        long status;
        unsigned long returned;
        std::string text;
    } cases[] = {
        {"string with its NUL", std::string("abc\0", 4), 0, 4, "abc"},
        {"string without its NUL", "abcdef", 0, 6, "abcdef"},
        {"string and NUL filling the buffer", std::string(15, 'x') + '\0', 0, 16, std::string(15, 'x')},
        {"string filling the buffer without NUL", std::string(16, 'x'), 0, 16, ""},
        {"string one short of the buffer without NUL", std::string(15, 'x'), 0, 15, std::string(15, 'x')},
        {"DWORD 0x00000407", std::string("\x07\x04\0\0", 4), 0, 4, "\x07\x04"},
        {"DWORD with no zero byte", "\x01\x02\x03\x04", 0, 4, "\x01\x02\x03\x04"},
        {"empty value", "", 0, 0, ""},
        {"value longer than the buffer (ERROR_MORE_DATA)", std::string(16, 'y'), 234, 6000, ""},
        {"missing value (ERROR_FILE_NOT_FOUND)", "zz", 2, 0, ""},
        {"count beyond the buffer despite success", std::string(16, 'w'), 0, 17, ""},
    };
    for (const Case& c : cases) {
        Buffer buffer(c.content);
        bool nonEmpty = finishRegText(buffer.data(), Buffer::size, c.status, c.returned);
        std::size_t length = strnlen(buffer.data(), Buffer::size);
        EXPECT_LT(length, Buffer::size) << c.what;
        EXPECT_EQ(std::string(buffer.data(), length), c.text) << c.what;
        EXPECT_EQ(nonEmpty, !c.text.empty()) << c.what;
        EXPECT_TRUE(buffer.guardsIntact()) << c.what;
    }
}
