#include "installer/cleanuprules.h"

#include <gtest/gtest.h>

#include <string>

TEST(ManifestName, NameLinesOnly)
{
    EXPECT_EQ(manifestName("Name: lib/a.jar \r\n"), "lib/a.jar");
    EXPECT_EQ(manifestName("Name: TestJvm.class\n"), "TestJvm.class");
    EXPECT_EQ(manifestName("name: x\n"), "");
    EXPECT_EQ(manifestName("Name:x\n"), "");
    EXPECT_EQ(manifestName("Manifest-Version: 1.0\n"), "");
}

TEST(StaysInsideFolder, RelativeAndWithoutParentSteps)
{
    for (const char* inside : {"a.jar", "lib/a.jar", "lib\\a.jar", "..a", "a..b\\c"})
        EXPECT_TRUE(staysInsideFolder(inside)) << inside;
    for (const char* outside : {"", "..\\x", "lib/../../x", "C:\\Windows\\win.ini", "\\x", "/etc/passwd", "C:x",
                                "lib/.."})
        EXPECT_FALSE(staysInsideFolder(outside)) << outside;
}

TEST(UnescapePropertiesLine, JavaEscapesAndSlashes)
{
    EXPECT_EQ(unescapePropertiesLine("nativeJvmHomeDir=D\\:/Temp/jre"), "nativeJvmHomeDir=D:\\Temp\\jre");
    EXPECT_EQ(unescapePropertiesLine("nativeTempJvmDir=C\\:\\\\Temp\\\\jre"), "nativeTempJvmDir=C:\\Temp\\jre");
    EXPECT_EQ(unescapePropertiesLine("a=x\\ y\\=z\\tq"), "a=x y=z\tq");
    EXPECT_EQ(unescapePropertiesLine("a=C:/Program Files/Java"), "a=C:\\Program Files\\Java");
    EXPECT_EQ(unescapePropertiesLine("trailing\\"), "trailing\\");
}

TEST(PropertyValue, KeyAtTheStartAndItsEqualsSign)
{
    std::string value;
    EXPECT_TRUE(propertyValue("nativeJvmInstalledInTemp=true", "nativeJvmInstalledInTemp", value));
    EXPECT_EQ(value, "true");
    EXPECT_TRUE(propertyValue("configureWinRegistry=", "configureWinRegistry", value));
    EXPECT_EQ(value, "");
    EXPECT_FALSE(propertyValue("nativeJvmHomeDirX=1", "nativeJvmHomeDir", value));
    EXPECT_FALSE(propertyValue(" nativeJvmHomeDir=1", "nativeJvmHomeDir", value));
}

TEST(IsFolderInside, StrictlyBelowIgnoringCase)
{
    EXPECT_TRUE(isFolderInside("C:\\Temp\\pkg\\jre", "C:\\Temp\\pkg"));
    EXPECT_TRUE(isFolderInside("c:/temp/PKG/jre/", "C:\\Temp\\pkg"));
    EXPECT_FALSE(isFolderInside("C:\\Temp\\pkg", "C:\\Temp\\pkg")) << "not the package folder itself";
    EXPECT_FALSE(isFolderInside("C:\\Temp\\pkg2\\jre", "C:\\Temp\\pkg"));
    EXPECT_FALSE(isFolderInside("C:\\Temp\\pkg\\..\\other", "C:\\Temp\\pkg"));
    EXPECT_FALSE(isFolderInside("C:\\", "C:\\Temp\\pkg"));
    EXPECT_FALSE(isFolderInside("C:\\Temp\\pkg\\jre", ""));
}
