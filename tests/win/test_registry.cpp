#include "regscope.h"
#include "support/registry.h"

#include <gtest/gtest.h>

#include <string>

// Values of every shape read through the real registry: whatever comes back ends inside the buffer.
TEST(ReadRegText, AnyTypeOrLengthEndsInsideTheBuffer)
{
    const char* const key = "Software\\QuivrellTests\\Registry";
    ScopedRegKey scope(HKEY_CURRENT_USER, key);
    scope.setBytes("dword", REG_DWORD, std::string("\x07\x04\0\0", 4));
    scope.setBytes("nonul", REG_SZ, "abcdef");
    scope.setString("long", std::string(6000, 'x'));
    scope.setString("fits", std::string(199, 'f'));
    scope.setString("", "C:\\WINDOWS");
    struct Case {
        const char* key;
        const char* name;
        std::string text;
    } cases[] = {
        {key, "dword", "\x07\x04"},
        {key, "nonul", "abcdef"},
        {key, "long", ""},
        {key, "fits", std::string(199, 'f')},
        {key, "missing", ""},
        {key, nullptr, "C:\\WINDOWS"},
        {"Software\\QuivrellTests\\NoSuchKey", "x", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + (c.name ? c.name : "(default)"));
        char buffer[200 + 8];
        std::fill(buffer, buffer + sizeof buffer, 'G');
        bool nonEmpty = readRegText(HKEY_CURRENT_USER, c.key, c.name, buffer, 200);
        EXPECT_EQ(std::string(buffer), c.text);
        EXPECT_EQ(nonEmpty, !c.text.empty());
        EXPECT_EQ(std::string(buffer + 200, 8), std::string(8, 'G')) << "written past the buffer";
    }
}
