// The JVM installation on the Windows 7 side of the bench: the procedures, the folder choice with the
// documents folder as the Programs folder, and a registry that is never configured.
#include "jvmpackage.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

// The package's archive expanded into the folder chosen for it; the start folder is current again after.
TEST(InstallJvm, CompressedJvmAndItsFolder)
{
    struct Row {
        const char *what, *predefined, *homeDir;
        std::string folder;
    } rows[] = {
        {"parents of the predefined folder, then the home folder", "Q:\\Apps\\MyApp", "./jre",
         "Q:\\Apps\\MyApp\\jre"},
        {"unknown variable: the Programs folder scheme", "[$Foo]\\jre", "", "Q:\\Documents\\JavaSoft\\JRE1.4\\1.4.2_05"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        JvmPackage package;
        // The documents folder of all users stands for the Programs folder on Windows 7.
        ScopedRegValue documents{HKEY_LOCAL_MACHINE,
                                 "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                                 "Common Documents"};
        fs::create_directories("Q:\\Documents");
        documents.setString("Q:\\Documents");
        package.archive(jvmFiles(r.homeDir[0] ? "jre" : "", "1.4.2_05"));
        auto result = package.installJvm("1.4.2_05", r.predefined, r.homeDir);
        ASSERT_TRUE(result.ok);
        EXPECT_EQ(result.jvmPath, r.folder + "\\bin\\javaw.exe");
        Lines calls = package.archiveCalls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].substr(0, calls[0].find('|')), r.homeDir[0] ? r.predefined : r.folder) << "where it ran";
        EXPECT_EQ(fs::current_path(), package.path()) << "and the start folder is current again";
        EXPECT_EQ(machineValue("SOFTWARE\\JavaSoft\\Java Runtime Environment", "CurrentVersion"), "");
    }
}

// A file where the JVM's folder should be: the folder cannot be entered, so the archive is not run at
// all; it would expand into the package folder.
TEST(InstallJvm, ArchiveNeverRunsOutsideItsFolder)
{
    JvmPackage package;
    package.archive(jvmFiles("", "1.4.2_05"));
    writeFile("blocked", "");
    EXPECT_FALSE(package.installJvm("1.4.2_05", (package.native() + "\\blocked").c_str()).ok);
    EXPECT_TRUE(package.archiveCalls().empty());
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
