// The JVM installation on Windows 7: the documents folder as the Programs folder, and no registry entries.
#include "installrun.h"

// The archive (its path quoted: the package has a blank) runs only in its folder, and the start folder comes back.
TEST(InstallJvm, CompressedJvmAndItsFolder)
{
    struct Row { const char *what, *predefined, *homeDir, *folder; } rows[] = { // "@": in the package; null: fails
        {"parents of the predefined folder, then the home folder", "Q:\\Apps\\MyApp", "./jre", "Q:\\Apps\\MyApp\\jre"},
        {"unknown variable: the Programs folder scheme", "[$Foo]\\jre", "", "Q:\\Documents\\JavaSoft\\JRE1.4\\1.4.2_05"},
        {"a file in the way", "@\\blocked", "", nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        JvmPackage package("App Package");
        ScopedRegValue documents{HKEY_LOCAL_MACHINE,
                                 "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                                 "Common Documents"};
        fs::create_directories("Q:\\Documents");
        documents.setString("Q:\\Documents");
        writeFile("blocked", "");
        package.archive(jvmFiles(r.homeDir[0] ? "jre" : "", "1.4.2_05"));
        std::string predefined = *r.predefined == '@' ? package.native() + (r.predefined + 1) : r.predefined;
        EXPECT_EQ(package.installJvm("1.4.2_05", predefined, r.homeDir), r.folder != nullptr);
        Lines calls = package.archiveCalls();
        ASSERT_EQ(calls.size(), r.folder ? 1u : 0u);
        EXPECT_EQ(fs::current_path(), package.path()) << "the start folder is current again";
        if (!r.folder) continue;
        EXPECT_EQ(package.jvmPath, r.folder + std::string("\\bin\\javaw.exe"));
        EXPECT_EQ(calls[0].substr(0, calls[0].find('|')), r.homeDir[0] ? r.predefined : r.folder) << "where it ran";
        EXPECT_EQ(machineValue("SOFTWARE\\JavaSoft\\Java Runtime Environment", "CurrentVersion"), "");
    }
}
