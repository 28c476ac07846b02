#include "regscope.h"
#include "support/registry.h"

#include <gtest/gtest.h>

#include <string>

namespace {
const char* const testKey = "Software\\QuivrellTests\\Registry";
}

// Values of every shape read through the real registry: whatever comes back ends inside the buffer.
TEST(ReadRegText, AnyTypeOrLengthEndsInsideTheBuffer)
{
    ScopedRegKey key(HKEY_CURRENT_USER, testKey);
    key.setString("text", "C:\\WINDOWS");
    key.setBytes("dword", REG_DWORD, std::string("\x07\x04\0\0", 4));
    key.setBytes("nonul", REG_SZ, "abcdef");
    key.setString("long", std::string(6000, 'x'));
    key.setString("fits", std::string(199, 'f'));
    key.setString("", "default value");

    struct Case {
        const char* name;
        std::string text;
    } cases[] = {
        {"text", "C:\\WINDOWS"}, {"dword", "\x07\x04"},          {"nonul", "abcdef"},
        {"long", ""},            {"fits", std::string(199, 'f')}, {"missing", ""},
        {nullptr, "default value"},
    };
    for (const Case& c : cases) {
        char buffer[200 + 8];
        std::fill(buffer, buffer + sizeof buffer, 'G');
        bool nonEmpty = readRegText(HKEY_CURRENT_USER, testKey, c.name, buffer, 200);
        EXPECT_EQ(std::string(buffer), c.text) << (c.name ? c.name : "(default)");
        EXPECT_EQ(nonEmpty, !c.text.empty()) << (c.name ? c.name : "(default)");
        EXPECT_EQ(std::string(buffer + 200, 8), std::string(8, 'G')) << "written past the buffer";
    }
}

TEST(ReadRegText, MissingKeyReadsAsEmpty)
{
    char buffer[16] = "stale";
    EXPECT_FALSE(readRegText(HKEY_CURRENT_USER, "Software\\QuivrellTests\\NoSuchKey", "x", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
}
