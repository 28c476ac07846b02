// The JVM installation on the Windows 7 side of the bench: the procedures, the folder choice with the
// documents folder as the Programs folder, and a registry that is never configured.
#include "jvmpackage.h"
#include "programrun.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

namespace fs = std::filesystem;

namespace {
// The documents folder of all users, which stands for the Programs folder on Windows 7, on drive Q:.
struct Documents {
    ScopedRegValue value{HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                         "Common Documents"};
    Documents()
    {
        fs::create_directories("Q:\\Documents");
        value.setString("Q:\\Documents");
    }
};
} // namespace

TEST(ThirdPartyInstaller, KeyOfTheControlFileOrOfTheWizardMarker)
{
    struct Case {
        const char* what;
        const char* control; // null: no control file
        const char* marker;  // null: no "__qivwizard.sem"
        bool selected;
        bool defaultTraced;
    } cases[] = {
        {"YES", "jvmThirdPartyInstaller=YES\r\n", nullptr, true, false},
        {"1", "jvmThirdPartyInstaller=1\r\n", nullptr, false, false},
        {"absent", "jvmName=JRE\r\n", "jvmThirdPartyInstaller=yes\r\n", false, false},
        {"unreadable control file", nullptr, nullptr, false, true},
        {"marker file as fallback", nullptr, "jvmThirdPartyInstaller=true\r\n", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        JvmPackage package;
        if (c.control) package.control(c.control);
        if (c.marker) writeFile("__qivwizard.sem", c.marker);
        InstallJvm installer;
        EXPECT_EQ(installer.thirdPartyInstaller(), c.selected);
        EXPECT_EQ(JvmPackage::traced("unable to open qiv.control file defaulting to uncompressing JVM"), c.defaultTraced);
    }
}

TEST(GetJvmInstallerCommand, NameInTheCurrentFolderInAShortOrQuotedForm)
{
    {
        JvmPackage package;
        fs::create_directory("jvm");
        writeFile("jre-setup.exe", "");
        writeFile("jvm\\jre-setup.exe", "");
        InstallJvm installer;
        char command[5001];
        EXPECT_TRUE(installer.getJvmInstallerCommand("jvm/jre-setup.exe", command));
        EXPECT_EQ(std::string(command), package.native() + "\\jre-setup.exe");
        EXPECT_TRUE(installer.getJvmInstallerCommand("jvm\\jre-setup.exe", command));
        EXPECT_EQ(std::string(command), package.native() + "\\jvm\\jre-setup.exe");
        EXPECT_FALSE(installer.getJvmInstallerCommand("missing.exe", command));
        EXPECT_TRUE(JvmPackage::traced("Compressed JVM does *not* exist:  " + package.native() + "\\missing.exe"));
    }
    {
        TestFolder folder("start folder with blanks");
        writeFile("jre setup.exe", "");
        InstallJvm installer;
        char command[5001];
        ASSERT_TRUE(installer.getJvmInstallerCommand("jre setup.exe", command));
        std::string result = command;
        std::string longForm = folder.native() + "\\jre setup.exe";
        if (result.front() == '"') {
            EXPECT_EQ(result, "\"" + longForm + "\"") << "the long form, quoted";
        } else {
            EXPECT_EQ(result.find(' '), std::string::npos) << "the short form has no blank: " << result;
            char full[5001];
            GetLongPathNameA(result.c_str(), full, sizeof full);
            EXPECT_EQ(std::string(full), longForm);
        }
    }
}

TEST(InstallJvm, ArchiveExpandsIntoThePredefinedFolderWithItsParents)
{
    JvmPackage package;
    package.control("jvmName=JRE\r\n");
    package.archive(jvmFiles("", "1.4.2_05"));
    std::string target = package.native() + "\\Apps\\MyApp\\jre";
    auto result = package.installJvm("1.4", "1.4.2_05", target.c_str());
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.jvmInstalled, 1);
    EXPECT_EQ(result.jvmPath, target + "\\bin\\javaw.exe");
    Lines calls = package.archiveCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].substr(0, target.size() + 1), target + "|") << "the archive ran in its target folder";
    EXPECT_EQ(fs::current_path(), package.path()) << "and the start folder is current again";
    EXPECT_TRUE(JvmPackage::traced("not configuring vista/7 registry"));
    EXPECT_EQ(JvmPackage::trace().back(), "installJvm ok: true");
}

TEST(InstallJvm, JvmHomeDirRelativeOrAbsolute)
{
    {
        SCOPED_TRACE("./jre");
        JvmPackage package;
        package.archive(jvmFiles("jre", "1.4.2_05"));
        std::string target = package.native() + "\\App";
        auto result = package.installJvm("1.4", "1.4.2_05", target.c_str(), "./jre");
        ASSERT_TRUE(result.ok);
        EXPECT_EQ(result.jvmPath, target + "\\jre\\bin\\javaw.exe");
        EXPECT_TRUE(JvmPackage::traced("final jvm install directory: " + target + "\\jre"));
    }
    {
        SCOPED_TRACE("an absolute folder with slashes");
        JvmPackage package;
        std::string java = package.native() + "\\Java\\jre";
        package.archive(jvmFiles(java, "1.4.2_05"));
        std::string slashed = java;
        std::replace(slashed.begin(), slashed.end(), '\\', '/');
        auto result = package.installJvm("1.4", "1.4.2_05", (package.native() + "\\App").c_str(), slashed.c_str());
        ASSERT_TRUE(result.ok);
        EXPECT_EQ(result.jvmPath, java + "\\bin\\javaw.exe");
    }
}

TEST(InstallJvm, AcceptableJvmAlreadyInTheFolderIsTakenAsItIs)
{
    JvmPackage package;
    package.archive(jvmFiles("", "1.4.2_05"));
    std::string target = package.native() + "\\App\\jre";
    fs::create_directories(target + "\\bin");
    fs::copy_file("fakejvm.bin", target + "\\bin\\javaw.exe");
    writeFile(target + "\\fakejvm.txt", "result=1.4.2_05\n");
    auto result = package.installJvm("1.4", "1.4.2_05", target.c_str());
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.foundExistingJvm, 1);
    EXPECT_EQ(result.jvmInstalled, 0);
    EXPECT_TRUE(package.archiveCalls().empty()) << "nothing is expanded";
    EXPECT_TRUE(JvmPackage::traced("about to configure jvm 1.4.2_05"));
    EXPECT_TRUE(JvmPackage::traced("found existing jvm directory: true"));
}

TEST(InstallJvm, ArchiveThatWritesNothingFailsTheFinalCheck)
{
    JvmPackage package;
    package.archive({});
    auto result = package.installJvm("1.4", "1.4.2_05", (package.native() + "\\App").c_str());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.jvmInstalled, 0);
    EXPECT_EQ(package.archiveCalls().size(), 1u);
    EXPECT_EQ(JvmPackage::trace().back(), "installJvm ok: false");
    EXPECT_EQ(readLogLines("errors.log"),
              (Lines{"Unable to find JVM executable", "Unable to configure JVM in " + package.native() + "\\App"}));
}

TEST(InstallJvm, OwnInstallerThenASearchOfTheRegistry)
{
    JvmPackage package;
    package.control("jvmThirdPartyInstaller=yes\r\n");
    std::string home = "Q:\\Java\\jre1.4.2_05";
    Lines script = jvmFiles(home, "1.4.2_05");
    script.push_back("regsz SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.4.2_05|JavaHome|" + home);
    package.archive(script);
    auto result = package.installJvm("1.4", "1.4.2_05", "[$AppDir]\\jre", "./jre");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.jvmPath, home + "\\bin\\javaw.exe");
    EXPECT_EQ(result.jvmInstalled, 1);
    EXPECT_EQ(result.predefinedJvmInstallDir, "") << "the installer chose the place";
    EXPECT_EQ(result.jvmHomeDir, "");
    EXPECT_TRUE(JvmPackage::traced("issued command to install JVM: " + package.native() + "\\jre-archive.exe"));
    EXPECT_TRUE(JvmPackage::traced("installThirdPartyJvm ok: true"));
}

TEST(InstallJvm, OwnInstallerThatLeavesNoJvm)
{
    JvmPackage package;
    package.control("jvmThirdPartyInstaller=yes\r\n");
    package.archive({});
    auto result = package.installJvm("1.4", "1.4.2_05");
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(JvmPackage::traced("Correct version of JVM was not found in common locations"));
    EXPECT_TRUE(JvmPackage::traced("installThirdPartyJvm ok: false"));
}

TEST(JvmFolder, VariablesOfThePredefinedFolder)
{
    struct Case {
        const char* predefined;
        std::string folder; // "" for the Programs-folder scheme
        Lines traces;
    } cases[] = {
        {"x[$AppDir]\\jre", "<package>\\jre", {"predefinedJvmInstallDir != testDir [$AppDir]\\"}},
        {"[$ProgFilesDir]\\MyApp\\jre", "Q:\\Documents\\MyApp\\jre",
         {"predefinedJvmInstallDir != testDir [$ProgFilesDir]\\", "trying to install JVM into Q:\\Documents\\MyApp\\jre"}},
        {"[$WinDir]", "", {"invalid predefined directory for JVM [$WinDir]", "unable to install JVM in "}},
        {"[$WinDir]\\", "", {"invalid default jvm install directory [$WinDir]\\", "unable to install JVM in "}},
        {"[$Foo]\\jre", "", {"unknown variable used to install the JVM", "unable to install JVM in "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.predefined);
        JvmPackage package;
        Documents documents;
        package.archive(jvmFiles("", "1.3.1"));
        auto result = package.installJvm("1.3", "1.3.1", c.predefined);
        ASSERT_TRUE(result.ok);
        std::string folder = c.folder.empty() ? "Q:\\Documents\\JavaSoft\\JRE1.3\\1.3.1" : c.folder;
        if (folder.rfind("<package>", 0) == 0) folder = package.native() + folder.substr(9);
        EXPECT_EQ(result.jvmPath, folder + "\\bin\\javaw.exe");
        for (const std::string& line : c.traces) EXPECT_TRUE(JvmPackage::traced(line)) << line;
    }
}

TEST(JvmFolder, FallsBackToThePathAndTheCurrentFolder)
{
    JvmPackage package;
    Documents documents;
    // The Programs folder cannot take the JVM: a file stands where its vendor folder would go.
    writeFile("Q:\\Documents\\JavaSoft", "");
    writeFile("Q:\\Documents\\Java1.3", "");
    writeFile("Q:\\jvm", "");
    writeFile(package.windowsDir + "\\jvm", "");
    fs::create_directories("Tools");
    std::string saved = std::getenv("PATH") ? std::getenv("PATH") : "";
    _putenv_s("PATH", (package.native() + "\\Tools").c_str());
    package.archive(jvmFiles("", "1.3.1"));
    auto result = package.installJvm("1.3", "1.3.1");
    _putenv_s("PATH", saved.c_str());
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.jvmPath, package.native() + "\\Tools\\jvm\\jre1.3\\1.3\\bin\\javaw.exe");
    EXPECT_TRUE(JvmPackage::traced("unable to create Windows JVM directory"));
}
