// The JVM installation on the Windows 7 side of the bench: the procedures, the folder choice with the
// documents folder as the Programs folder, and a registry that is never configured.
#include "jvmpackage.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

namespace fs = std::filesystem;

// The package's archive expanded into the folder chosen for it, or a JVM already there taken as it is.
TEST(InstallJvm, CompressedJvmAndItsFolder)
{
    struct Row {
        const char *what, *predefined, *homeDir;
        bool archiveWrites, jvmThere, ok;
        std::string folder; // "<package>" stands for the package folder
        Lines traces;
    } rows[] = {
        {"parents of the predefined folder, then the home folder", "<package>\\Apps\\MyApp", "./jre", true, false,
         true, "<package>\\Apps\\MyApp\\jre",
         {"final jvm install directory: <package>\\Apps\\MyApp\\jre", "not configuring vista/7 registry",
          "unable to open qiv.control file defaulting to uncompressing JVM", "installJvm ok: true"}},
        {"acceptable JVM already there", "<package>\\App\\jre", "", false, true, true, "<package>\\App\\jre",
         {"about to configure jvm 1.4.2_05", "found existing jvm directory: true", "installJvm ok: true"}},
        {"archive that writes nothing", "<package>\\App", "", false, false, false, "",
         {"found existing jvm directory: false", "installJvm ok: false"}},
        {"x[$AppDir]", "x[$AppDir]\\jre", "", true, false, true, "<package>\\jre",
         {"predefinedJvmInstallDir != testDir [$AppDir]\\"}},
        {"[$ProgFilesDir]", "[$ProgFilesDir]\\MyApp\\jre", "", true, false, true, "Q:\\Documents\\MyApp\\jre",
         {"predefinedJvmInstallDir != testDir [$ProgFilesDir]\\",
          "trying to install JVM into Q:\\Documents\\MyApp\\jre"}},
        {"[$WinDir] alone", "[$WinDir]", "", true, false, true, "Q:\\Documents\\JavaSoft\\JRE1.4\\1.4.2_05",
         {"invalid predefined directory for JVM [$WinDir]", "unable to install JVM in "}},
        {"[$WinDir]\\ alone", "[$WinDir]\\", "", true, false, true, "Q:\\Documents\\JavaSoft\\JRE1.4\\1.4.2_05",
         {"invalid default jvm install directory [$WinDir]\\", "unable to install JVM in "}},
        {"unknown variable", "[$Foo]\\jre", "", true, false, true, "Q:\\Documents\\JavaSoft\\JRE1.4\\1.4.2_05",
         {"unknown variable used to install the JVM", "unable to install JVM in "}},
        {"the PATH when the Programs folder, its drive and Windows are blocked", "", "", true, false, true,
         "<package>\\Tools\\jvm\\jre1.4\\1.4", {"unable to create Windows JVM directory"}},
    };
    const std::string savedPath = std::getenv("PATH");
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        JvmPackage package;
        // The documents folder of all users stands for the Programs folder on Windows 7.
        ScopedRegValue documents{HKEY_LOCAL_MACHINE,
                                 "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                                 "Common Documents"};
        fs::create_directories("Q:\\Documents");
        documents.setString("Q:\\Documents");
        auto local = [&](std::string text) {
            std::size_t at = text.find("<package>");
            return at == std::string::npos ? text : text.replace(at, 9, package.native());
        };
        std::string predefined = local(r.predefined), folder = local(r.folder);
        package.archive(r.archiveWrites ? jvmFiles(r.homeDir[0] ? "jre" : "", "1.4.2_05") : Lines{});
        if (r.jvmThere) {
            fs::create_directories(folder + "\\bin");
            fs::copy_file("fakejvm.bin", folder + "\\bin\\javaw.exe");
            writeFile(folder + "\\fakejvm.txt", "result=1.4.2_05\n");
        }
        if (!r.predefined[0]) {
            // Files stand where the vendor folders and the jvm folders would go.
            for (const char* file : {"Q:\\Documents\\JavaSoft", "Q:\\Documents\\Java1.4", "Q:\\jvm"})
                writeFile(file, "");
            writeFile(package.windowsDir + "\\jvm", "");
            fs::create_directories("Tools");
            _putenv_s("PATH", (package.native() + "\\Tools").c_str());
        }
        auto result = package.installJvm("1.4.2_05", predefined.c_str(), r.homeDir);
        _putenv_s("PATH", savedPath.c_str());
        EXPECT_EQ(result.ok, r.ok);
        if (r.ok) {
            EXPECT_EQ(result.jvmPath, folder + "\\bin\\javaw.exe");
        }
        EXPECT_EQ(result.jvmInstalled, r.ok && !r.jvmThere);
        EXPECT_EQ(result.foundExistingJvm, r.jvmThere);
        Lines calls = package.archiveCalls();
        EXPECT_EQ(calls.size(), r.jvmThere ? 0u : 1u);
        std::string expandedIn = r.homeDir[0] || !r.ok ? predefined : folder;
        for (const std::string& call : calls) EXPECT_EQ(call.substr(0, call.find('|')), expandedIn) << "where it ran";
        EXPECT_EQ(fs::current_path(), package.path()) << "and the start folder is current again";
        for (const std::string& line : r.traces) EXPECT_TRUE(JvmPackage::traced(local(line))) << line;
        Lines errors{"Unable to find JVM executable", "Unable to configure JVM in " + predefined};
        EXPECT_EQ(readLogLines("errors.log"), r.ok ? Lines{} : errors);
    }
}

// The JVM's own installer, chosen by the control file or by the wizard's marker, then the machine searched.
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

TEST(InstallJvm, OwnInstallerThenASearchOfTheRegistry)
{
    for (bool leavesJvm : {true, false}) {
        SCOPED_TRACE(leavesJvm ? "control file" : "marker, nothing installed");
        JvmPackage package;
        writeFile(leavesJvm ? "qiv.control" : "__qivwizard.sem", "jvmThirdPartyInstaller=yes\r\n");
        std::string home = "Q:\\Java\\jre1.4.2_05";
        Lines script = jvmFiles(home, "1.4.2_05");
        script.push_back("regsz SOFTWARE\\JavaSoft\\Java Runtime Environment\\1.4.2_05|JavaHome|" + home);
        package.archive(leavesJvm ? script : Lines{});
        auto result = package.installJvm("1.4.2_05", "[$AppDir]\\jre", "./jre");
        EXPECT_EQ(result.ok, leavesJvm);
        EXPECT_EQ(result.jvmInstalled, leavesJvm);
        EXPECT_EQ(package.archiveCalls().size(), 1u);
        EXPECT_TRUE(JvmPackage::traced("issued command to install JVM: " + package.native() + "\\jre-archive.exe"));
        EXPECT_EQ(result.jvmPath, leavesJvm ? home + "\\bin\\javaw.exe" : "");
        // The installer chose the place: the package's folder settings no longer apply.
        EXPECT_EQ(result.predefinedJvmInstallDir + result.jvmHomeDir, leavesJvm ? "" : "[$AppDir]\\jre./jre");
        EXPECT_EQ(JvmPackage::traced("Correct version of JVM was not found in common locations"), !leavesJvm);
        EXPECT_TRUE(JvmPackage::traced(std::string("installThirdPartyJvm ok: ") + (leavesJvm ? "true" : "false")));
    }
}

TEST(GetJvmInstallerCommand, ShortOrQuotedFormOfAFolderWithBlanks)
{
    TestFolder folder("start folder with blanks");
    writeFile("jre setup.exe", "");
    writeFile("jinstall.log", "");
    InstallJvm installer;
    char command[pathSize];
    EXPECT_FALSE(installer.getJvmInstallerCommand("missing.exe", command));
    EXPECT_TRUE(JvmPackage::traced("Compressed JVM does *not* exist:  " + folder.native() + "\\missing.exe"));
    ASSERT_TRUE(installer.getJvmInstallerCommand("jvm/jre setup.exe", command));
    std::string result = command, longForm = folder.native() + "\\jre setup.exe";
    if (result.front() == '"') {
        EXPECT_EQ(result, "\"" + longForm + "\"");
    } else {
        EXPECT_EQ(result.find(' '), std::string::npos) << result;
        char full[pathSize] = "";
        GetLongPathNameA(result.c_str(), full, sizeof full);
        EXPECT_EQ(std::string(full), longForm);
    }
}
