// The JVM installation on the Windows XP side of the bench (Wine reports XP to this program): the
// Program Files scheme and the registry entries of a new JVM.
#include "jvmpackage.h"
#include "programrun.h"
#include "support/winfacts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace fs = std::filesystem;

namespace {
const std::string runtimeKey = "SOFTWARE\\JavaSoft\\Java Runtime Environment";
const std::string kitKey = "SOFTWARE\\JavaSoft\\Java Development Kit";

// The machine's Program Files folder, on drive Q:.
struct ProgramFiles {
    ScopedRegValue value{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir"};
    ProgramFiles()
    {
        fs::create_directories("Q:\\Program Files");
        value.setString("Q:\\Program Files");
    }
};

// Configures the JVM whose files are laid down (with placeholder content) in dir; gives the launcher
// found, or "" when configuration failed.
std::string configure(const char* version, const char* name, const char* launcher, const std::string& dir,
                      std::initializer_list<const char*> files, const std::string& windowsDir)
{
    for (const char* file : files) {
        fs::create_directories((fs::path(dir) / file).parent_path());
        writeFile(fs::path(dir) / file, std::string("content of ") + file);
    }
    char command[launcherNameSize];
    std::strcpy(command, launcher);
    bool ok = InstallJvm().configureJvm(version, name, command, dir.c_str(), windowsDir.c_str(), true);
    return ok ? command : "";
}
} // namespace

TEST(JvmFolderXp, ProgramFilesSchemeAndWhenTheRegistryIsWritten)
{
    struct Row {
        const char *what, *name, *version, *predefined, *control;
        int versionFolder; // 1: the version folder is there, empty; 2: with an acceptable JVM
        std::string folder;
        bool registered;
        Lines traces;
    } rows[] = {
        {"JRE", "JRE", "1.3.1", "", "", 0, "Q:\\Program Files\\JavaSoft\\JRE1.3\\1.3.1", true,
         {"Windows registry configured"}},
        {"no micro version", "JRE", "1.4", "", "", 0, "Q:\\Program Files\\JavaSoft\\JRE1.4\\1.4", true, {}},
        {"unknown name", "MyVM", "1.3.1", "", "", 0, "Q:\\Program Files\\JVM1.3\\1.3.1", true, {}},
        {"[$ProgFilesDir]", "JRE", "1.3.1", "[$ProgFilesDir]\\MyApp\\jre", "", 0, "Q:\\Program Files\\MyApp\\jre", true,
         {"predefinedJvmInstallDir != testDir [$ProgFilesDir]\\",
          "trying to install JVM into Q:\\Program Files\\MyApp\\jre"}},
        {"temporary in the package", "JRE", "1.3.1", "[$AppDir]\\jre", "", 0, "<package>\\jre", false, {}},
        {"switched off", "JRE", "1.3.1", "", "configureWinRegistry=no\r\n", 0,
         "Q:\\Program Files\\JavaSoft\\JRE1.3\\1.3.1", false, {"Windows registry unchanged"}},
        {"empty version folder: the drive", "JRE", "1.3.1", "", "", 1, "Q:\\jvm\\jre1.3\\1.3", true, {}},
        {"version folder with a JVM", "JRE", "1.3.1", "", "", 2, "Q:\\Program Files\\JavaSoft\\JRE1.3\\1.3.1", true,
         {"discovered jvm: true"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        JvmPackage package;
        ProgramFiles programFiles;
        if (r.control[0]) writeFile("qiv.control", r.control);
        std::string folder = r.folder.rfind("<package>", 0) == 0 ? package.native() + r.folder.substr(9) : r.folder;
        package.archive(jvmFiles("", r.version));
        std::string versionFolder = "Q:\\Program Files\\JavaSoft\\JRE1.3\\1.3.1";
        if (r.versionFolder) fs::create_directories(versionFolder + "\\bin");
        if (r.versionFolder == 2) {
            fs::copy_file("fakejvm.bin", versionFolder + "\\bin\\javaw.exe");
            writeFile(versionFolder + "\\fakejvm.txt", "result=1.3.1\n");
        }
        auto result = package.installJvm(r.version, r.predefined, "", r.name);
        ASSERT_TRUE(result.ok);
        EXPECT_EQ(result.jvmPath, folder + "\\bin\\javaw.exe");
        EXPECT_EQ(result.foundExistingJvm, r.versionFolder == 2);
        EXPECT_EQ(package.archiveCalls().size(), r.versionFolder == 2 ? 0u : 1u);
        EXPECT_EQ(machineValue(runtimeKey, "CurrentVersion").empty(), !r.registered);
        for (const std::string& line : r.traces) EXPECT_TRUE(JvmPackage::traced(line)) << line;
        Lines trace = readLogLines("jinstall.log");
        EXPECT_EQ(std::count(trace.begin(), trace.end(), "found a possible directory " + versionFolder),
                  r.versionFolder ? 3 - r.versionFolder : 0) << "an empty one is looked at twice";
    }
}

// Several JVMs configured one after the other on one machine: what each adds, and what it leaves.
TEST(RegistryLayout, JvmsRegisteredOneAfterTheOther)
{
    JvmPackage package;
    EXPECT_TRUE(isWinNT());
    package.javaSoft.setString("JavaHome", "c:\\kept", "Java Runtime Environment\\1.4");
    package.javaSoft.setString("MicroVersion", "", "Java Runtime Environment\\1.4");
    package.javaSoft.setString("JavaHome", "c:\\old\\jre", "Java Runtime Environment\\1.4.2");
    package.javaSoft.setString("MicroVersion", "0", "Java Runtime Environment\\1.4.2");
    const std::string& windows = package.windowsDir;
    writeFile(windows + "\\javaw.exe", "already there");
    // The later family's launcher never stands in for java.exe: nothing is found, nothing is written.
    EXPECT_EQ(configure("1.2", "JRE", "java.exe", "Q:\\jre12", {"bin\\javaw.exe"}, windows), "");
    EXPECT_EQ(machineValue(runtimeKey, "CurrentVersion"), "");

    // The first runtime becomes the current one and puts its files into the Windows directory.
    EXPECT_EQ(configure("1.3.1", "JRE", "jrew.exe", "Q:\\Program Files\\JavaSoft\\JRE1.3\\1.3.1",
                        {"bin\\javaw.exe", "bin\\hotspot\\jvm.dll", "bin\\msvcrt.dll"}, windows),
              "javaw.exe");
    std::string home = "q:\\program files\\javasoft\\jre1.3\\1.3.1";
    EXPECT_EQ(machineValue(runtimeKey, "CurrentVersion"), "1.3");
    for (const char* version : {"1.3", "1.3.1"}) {
        SCOPED_TRACE(version);
        EXPECT_EQ(machineValue(runtimeKey + "\\" + version, "JavaHome"), home);
        EXPECT_EQ(machineValue(runtimeKey + "\\" + version, "MicroVersion"), "1");
        EXPECT_EQ(machineValue(runtimeKey + "\\" + version, "RuntimeLib"), home + "\\bin\\hotspot\\jvm.dll");
    }
    EXPECT_EQ(readFile(windows + "\\javaw.exe"), "already there") << "never over an existing file";
    EXPECT_EQ(readFile(windows + "\\system\\msvcrt.dll"), "content of bin\\msvcrt.dll");
    EXPECT_TRUE(JvmPackage::traced("unable to copy file from " + home + "\\bin\\java.exe"));
    EXPECT_TRUE(JvmPackage::traced("                      to " + windows + "\\java.exe"));

    // A later family: the current version stays, text values stay, empty ones are filled in, and a
    // version key that knows its micro version is left whole.
    configure("1.4.2", "JRE", "javaw.exe", "Q:\\jre142", {"bin\\javaw.exe", "bin\\java.exe", "bin\\client\\jvm.dll"},
              windows);
    EXPECT_EQ(machineValue(runtimeKey, "CurrentVersion"), "1.3");
    EXPECT_FALSE(fileExists(windows + "\\java.exe")) << "only the current runtime's launchers are copied";
    EXPECT_EQ(machineValue(runtimeKey + "\\1.4", "JavaHome"), "c:\\kept");
    EXPECT_TRUE(JvmPackage::traced("JavaHome already exists in registry"));
    EXPECT_EQ(machineValue(runtimeKey + "\\1.4", "MicroVersion"), "2");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.4", "RuntimeLib"), "q:\\jre142\\bin\\client\\jvm.dll");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.4.2", "JavaHome"), "c:\\old\\jre");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.4.2", "RuntimeLib"), "");

    // The first family: one key, no runtime library.
    configure("1.1.8", "JRE", "jrew.exe", "Q:\\jre118", {"bin\\jrew.exe", "bin\\classic\\jvm.dll"}, windows);
    EXPECT_EQ(machineValue(runtimeKey + "\\1.1", "JavaHome"), "q:\\jre118");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.1", "MicroVersion"), "8");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.1", "RuntimeLib"), "");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.1.8", "JavaHome"), "");
    EXPECT_EQ(machineValue(kitKey, "CurrentVersion"), "");

    // Development kits: alone without a runtime launcher, with their runtime with one (here the 1.1
    // name, which becomes java.exe without the own trace log).
    configure("1.5", "JDK", "run.exe", "Q:\\jdk15", {"run.exe"}, windows);
    EXPECT_EQ(machineValue(kitKey, "CurrentVersion"), "1.5");
    EXPECT_EQ(machineValue(kitKey + "\\1.5", "JavaHome"), "q:\\jdk15");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.5", "JavaHome"), "");
    fs::remove("jinstall.sem");
    EXPECT_EQ(configure("1.6", "jdk", "jre.exe", "Q:\\jdk16", {"bin\\java.exe", "bin\\javaw.exe"}, windows),
              "java.exe");
    EXPECT_EQ(machineValue(kitKey + "\\1.6", "JavaHome"), "q:\\jdk16");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.6", "JavaHome"), "q:\\jdk16");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.6.0", "MicroVersion"), "0");
}

// The whole program on XP: no JVM on the machine; the package's archive installs one, which is
// verified, registered, told so through native.properties, and runs the wizard.
TEST(WholeProgramXp, InstallsRegistersAndStartsTheWizardWithThePackagesJvm)
{
    JvmPackage package;
    ProgramFiles programFiles;
    fs::remove("jinstall.sem"); // the trace log is the user's own, and stays
    Lines script = jvmFiles("", "1.4.2_05");
    script.insert(script.end(), {"append fakejvm.txt wizard=start", "append fakejvm.txt copy=native.properties"});
    package.archive(script);
    writeFile("install.jar", "PK");
    writeFile("qiv.control", "jvmRequiredVersion=1.4\r\njvmVersion=1.4.2_05\r\njvmSelfExtractor=jre-archive.exe\r\n"
                             "jvmCommandName=javaw.exe\r\nloaderJavaCommand=com.quivrell.sample.Install\r\n");
    std::string program = package.native() + "\\qivstart_xp.exe";
    fs::copy_file(programFromEnvironment("QIV_PROGRAM"), program);
    ProgramRun run(program, "", package.native());
    bool ended = waitUntil([&] { return !run.running(); }, 20000);
    std::vector<std::string> boxes = run.answerBoxes();
    ASSERT_TRUE(ended) << (boxes.empty() ? "" : boxes.front());

    std::string folder = "Q:\\Program Files\\JavaSoft\\JRE1.4\\1.4.2_05";
    EXPECT_EQ(machineValue(runtimeKey + "\\1.4", "JavaHome"), "q:\\program files\\javasoft\\jre1.4\\1.4.2_05");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.4.2_05", "MicroVersion"), "2_05");
    EXPECT_EQ(readFile(folder + "\\native.properties"), "nativeJvmHomeDir=Q:/Program Files/JavaSoft/JRE1.4/1.4.2_05\r\n"
                                                        "nativeJvmInstalled=true\r\nconfigureWinRegistry=true\r\n");
    Lines calls = readPlainLines(folder + "\\fakejvm-calls.txt");
    ASSERT_EQ(calls.size(), 2u) << "the test class on the new JVM, then the wizard";
    EXPECT_NE(calls.back().find("com.quivrell.sample.Install"), std::string::npos);
}
