// The JVM installation on XP (as Wine reports itself to this program): Program Files and the registry.
#include "installrun.h"

const std::string runtimeKey = "SOFTWARE\\JavaSoft\\Java Runtime Environment";

// Where the package's JVM goes on XP, and whether it is registered: a JVM in the package is temporary.
TEST(JvmFolderXp, ProgramFilesSchemeAndWhenTheRegistryIsWritten)
{
    // versionFolder 1: the version folder is there, empty; 2: with an acceptable JVM
    struct Row { const char *what, *predefined; int versionFolder; std::string folder; bool registered; } rows[] = {
        {"[$ProgFilesDir]", "[$ProgFilesDir]\\MyApp\\jre", 0, "Q:\\Program Files\\MyApp\\jre", true},
        {"temporary in the package", "[$AppDir]\\jre", 0, "<package>\\jre", false},
        {"empty version folder: the drive", "", 1, "Q:\\jvm\\jre1.3\\1.3", true},
        {"version folder with a JVM", "", 2, "Q:\\Program Files\\JavaSoft\\JRE1.3\\1.3.1", true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        JvmPackage package;
        // Program Files on drive Q:, which the package empties
        ScopedRegValue programFiles{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir"};
        fs::create_directories("Q:\\Program Files");
        programFiles.setString("Q:\\Program Files");
        std::string folder = r.folder.rfind("<package>", 0) == 0 ? package.native() + r.folder.substr(9) : r.folder;
        package.archive(jvmFiles("", "1.3.1"));
        std::string versionFolder = "Q:\\Program Files\\JavaSoft\\JRE1.3\\1.3.1";
        if (r.versionFolder == 1) fs::create_directories(versionFolder + "\\bin");
        if (r.versionFolder == 2) FakeJvmHome(versionFolder, {"bin\\javaw.exe"}, {"result=1.3.1"});
        ASSERT_TRUE(package.installJvm("1.3.1", r.predefined));
        EXPECT_EQ(package.jvmPath, folder + "\\bin\\javaw.exe");
        EXPECT_EQ(package.archiveCalls().size(), r.versionFolder == 2 ? 0u : 1u);
        EXPECT_EQ(machineValue(runtimeKey, "CurrentVersion").empty(), !r.registered);
    }
}

// A new JVM becomes the current one, but never writes over a value, a file, or a key that knows its micro version.
TEST(RegistryLayout, NewJvmBesideOlderEntries)
{
    JvmPackage package;
    package.javaSoft.setString("JavaHome", "c:\\kept", "Java Runtime Environment\\1.4");
    package.javaSoft.setString("MicroVersion", "", "Java Runtime Environment\\1.4");
    package.javaSoft.setString("JavaHome", "c:\\old\\jre", "Java Runtime Environment\\1.4.2");
    package.javaSoft.setString("MicroVersion", "0", "Java Runtime Environment\\1.4.2");
    writeFile(package.windowsDir + "\\javaw.exe", "already there");
    Lines script = jvmFiles("", "1.4.2");
    script.push_back("copy fakejvm.bin bin\\java.exe");
    package.archive(script);
    ASSERT_TRUE(package.installJvm("1.4.2", "Q:\\jre142"));
    EXPECT_EQ(machineValue(runtimeKey, "CurrentVersion"), "1.4");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.4", "JavaHome"), "c:\\kept");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.4", "MicroVersion"), "2");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.4", "RuntimeLib"), "q:\\jre142\\bin\\hotspot\\jvm.dll");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.4.2", "JavaHome"), "c:\\old\\jre");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.4.2", "RuntimeLib"), "");
    EXPECT_EQ(readFile(package.windowsDir + "\\javaw.exe"), "already there");
    EXPECT_TRUE(fileExists(package.windowsDir + "\\java.exe"));
}
