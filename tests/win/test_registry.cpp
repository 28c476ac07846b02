#include "regscope.h"
#include "support/registry.h"

#include <gtest/gtest.h>

#include <string>

// Values of every shape read through the real registry: whatever comes back ends inside the buffer.
// Other types, the default value and a missing value are read by the language search.
TEST(ReadRegText, AnyLengthEndsInsideTheBuffer)
{
    const char* const key = "Software\\QuivrellTests\\Registry";
    ScopedRegKey scope(HKEY_CURRENT_USER, key);
    scope.setBytes("nonul", REG_SZ, "abcdef");
    scope.setString("long", std::string(6000, 'x'));
    scope.setString("fits", std::string(199, 'f'));
    struct Case {
        const char* key;
        const char* name;
        std::string text;
    } cases[] = {
        {key, "nonul", "abcdef"},
        {key, "long", ""},
        {key, "fits", std::string(199, 'f')},
        {"Software\\QuivrellTests\\NoSuchKey", "x", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + c.name);
        char buffer[200 + 8];
        std::fill(buffer, buffer + sizeof buffer, 'G');
        bool nonEmpty = readRegText(HKEY_CURRENT_USER, c.key, c.name, buffer, 200);
        EXPECT_EQ(std::string(buffer), c.text);
        EXPECT_EQ(nonEmpty, !c.text.empty());
        EXPECT_EQ(std::string(buffer + 200, 8), std::string(8, 'G')) << "written past the buffer";
    }
}
