// The JVM installation on the Windows 7 side of the bench: the folder choice with the documents folder
// as the Programs folder, and a registry that is never configured.
#include "installrun.h"

// The package's archive expanded into the folder chosen for it; the start folder is current again after.
// A file where the folder should be cannot be entered, so the archive is not run at all: it would expand
// into the package folder.
TEST(InstallJvm, CompressedJvmAndItsFolder)
{
    struct Row { const char *what, *predefined, *homeDir, *folder; } rows[] = { // "@": in the package; null: fails
        {"parents of the predefined folder, then the home folder", "Q:\\Apps\\MyApp", "./jre", "Q:\\Apps\\MyApp\\jre"},
        {"unknown variable: the Programs folder scheme", "[$Foo]\\jre", "", "Q:\\Documents\\JavaSoft\\JRE1.4\\1.4.2_05"},
        {"a file in the way", "@\\blocked", "", nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        JvmPackage package;
        ScopedRegValue documents{HKEY_LOCAL_MACHINE,
                                 "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                                 "Common Documents"};
        fs::create_directories("Q:\\Documents");
        documents.setString("Q:\\Documents");
        writeFile("blocked", "");
        package.archive(jvmFiles(r.homeDir[0] ? "jre" : "", "1.4.2_05"));
        std::string predefined = *r.predefined == '@' ? package.native() + (r.predefined + 1) : r.predefined;
        auto result = package.installJvm("1.4.2_05", predefined, r.homeDir);
        EXPECT_EQ(result.ok, r.folder != nullptr);
        Lines calls = package.archiveCalls();
        ASSERT_EQ(calls.size(), r.folder ? 1u : 0u);
        EXPECT_EQ(fs::current_path(), package.path()) << "the start folder is current again";
        if (!r.folder) continue;
        EXPECT_EQ(result.jvmPath, r.folder + std::string("\\bin\\javaw.exe"));
        EXPECT_EQ(calls[0].substr(0, calls[0].find('|')), r.homeDir[0] ? r.predefined : r.folder) << "where it ran";
        EXPECT_EQ(machineValue("SOFTWARE\\JavaSoft\\Java Runtime Environment", "CurrentVersion"), "");
    }
}

// The JVM's own installer, chosen by the control file, then the machine searched again. The installer
// chose the place: the package's folder settings no longer apply.
TEST(InstallJvm, OwnInstallerThenASearchOfTheRegistry)
{
    JvmPackage package;
    writeFile("qiv.control", "jvmThirdPartyInstaller=yes\r\n");
    std::string home = "Q:\\Java\\jre1.4.2_05";
    Lines script = jvmFiles(home, "1.4.2_05");
    script.push_back("regsz SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.4.2_05|JavaHome|" + home);
    package.archive(script);
    auto result = package.installJvm("1.4.2_05", "[$AppDir]\\jre", "./jre");
    EXPECT_EQ(result.jvmPath, home + "\\bin\\javaw.exe");
    EXPECT_TRUE(result.jvmInstalled);
    EXPECT_EQ(result.predefinedJvmInstallDir + result.jvmHomeDir, "");
}
