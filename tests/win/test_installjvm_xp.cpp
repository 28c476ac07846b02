// The JVM installation on the Windows XP side of the bench (Wine reports XP to this program): the
// Program Files scheme and the registry entries of a new JVM.
#include "jvmpackage.h"
#include "support/winfacts.h"
#include "programrun.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

namespace fs = std::filesystem;

namespace {

const std::string runtimeKey = "SOFTWARE\\JavaSoft\\Java Runtime Environment";
const std::string developmentKitKey = "SOFTWARE\\JavaSoft\\Java Development Kit";

// The machine's Program Files folder, on drive Q:.
struct ProgramFiles {
    ScopedRegValue value{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir"};
    ProgramFiles()
    {
        fs::create_directories("Q:\\Program Files");
        value.setString("Q:\\Program Files");
    }
};

// A JVM that lies in its folder already, as configureJvm finds it.
std::string placeJvm(const std::string& dir, std::initializer_list<const char*> files)
{
    for (const char* file : files) {
        fs::path target = fs::path(dir) / file;
        fs::create_directories(target.parent_path());
        writeFile(target, std::string("content of ") + file);
    }
    return dir;
}

bool configure(const char* version, const char* name, const char* launcher, const std::string& dir,
               const std::string& windowsDir, std::string* found = nullptr)
{
    char command[5001];
    std::strcpy(command, launcher);
    InstallJvm installer;
    bool ok = installer.configureJvm(version, name, command, dir.c_str(), windowsDir.c_str(), true);
    if (found) *found = command;
    return ok;
}

} // namespace

TEST(XpEra, IsNotVistaAndConfiguresTheRegistry)
{
    JvmPackage package;
    InstallJvm installer;
    EXPECT_FALSE(isVistaOrWindows7(installer));
    EXPECT_TRUE(isWinNT());
    package.control("configureWinRegistry=YES\r\n");
    EXPECT_TRUE(installer.configureWinReg());
    package.control("configureWinRegistry\r\n");
    EXPECT_FALSE(installer.configureWinReg());
}

TEST(JvmFolderXp, ProgramFilesScheme)
{
    struct Case {
        const char *name, *version, *predefined;
        std::string folder;
    } cases[] = {
        {"JRE", "1.3.1", "", "Q:\\Program Files\\JavaSoft\\JRE1.3\\1.3.1"},
        {"JRE", "1.4", "", "Q:\\Program Files\\JavaSoft\\JRE1.4\\1.4"},
        {"MyVM", "1.3.1", "", "Q:\\Program Files\\JVM1.3\\1.3.1"},
        {"JRE", "1.3.1", "[$ProgFilesDir]\\MyApp\\jre", "Q:\\Program Files\\MyApp\\jre"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.version + " " + c.predefined);
        JvmPackage package;
        ProgramFiles programFiles;
        package.archive(jvmFiles("", c.version));
        auto result = package.installJvm(c.version, c.version, c.predefined, "", c.name);
        ASSERT_TRUE(result.ok);
        EXPECT_EQ(result.jvmPath, c.folder + "\\bin\\javaw.exe");
    }
}

TEST(JvmFolderXp, PredefinedProgramFilesFolderIsTraced)
{
    JvmPackage package;
    ProgramFiles programFiles;
    package.archive(jvmFiles("", "1.3.1"));
    ASSERT_TRUE(package.installJvm("1.3", "1.3.1", "[$ProgFilesDir]\\MyApp\\jre").ok);
    EXPECT_TRUE(JvmPackage::traced("predefinedJvmInstallDir != testDir [$ProgFilesDir]\\"));
    EXPECT_TRUE(JvmPackage::traced("trying to install JVM into Q:\\Program Files\\MyApp\\jre"));
}

TEST(JvmFolderXp, VersionFolderWithoutAnAcceptableJvmFallsBackToTheDrive)
{
    JvmPackage package;
    ProgramFiles programFiles;
    fs::create_directories("Q:\\Program Files\\JavaSoft\\JRE1.3\\1.3.1");
    package.archive(jvmFiles("", "1.3.1"));
    auto result = package.installJvm("1.3", "1.3.1");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.jvmPath, "Q:\\jvm\\jre1.3\\1.3\\bin\\javaw.exe");
    Lines trace = JvmPackage::trace();
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "found a possible directory Q:\\Program Files\\JavaSoft\\JRE1.3\\1.3.1"),
              2);
}

TEST(JvmFolderXp, VersionFolderWithAnAcceptableJvmIsChosen)
{
    JvmPackage package;
    ProgramFiles programFiles;
    std::string folder = "Q:\\Program Files\\JavaSoft\\JRE1.3\\1.3.1";
    fs::create_directories(folder + "\\bin");
    package.archive(jvmFiles("", "1.3.1"));
    fs::copy_file("fakejvm.bin", folder + "\\bin\\javaw.exe");
    writeFile(folder + "\\fakejvm.txt", "result=1.3.1\n");
    auto result = package.installJvm("1.3", "1.3.1");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.foundExistingJvm, 1);
    EXPECT_EQ(result.jvmInstalled, 0);
    EXPECT_TRUE(package.archiveCalls().empty());
    EXPECT_TRUE(JvmPackage::traced("discovered jvm: true"));
}

TEST(RegistryLayout, WorkedExampleOfAJava2Runtime)
{
    JvmPackage package;
    std::string dir = placeJvm("Q:\\Program Files\\JavaSoft\\JRE1.3\\1.3.1",
                               {"bin\\javaw.exe", "bin\\hotspot\\jvm.dll"});
    std::string found;
    ASSERT_TRUE(configure("1.3.1", "JRE", "jrew.exe", dir, package.windowsDir, &found));
    EXPECT_EQ(found, "javaw.exe") << "the 1.1 name becomes the later family's windowless launcher";
    std::string home = "q:\\program files\\javasoft\\jre1.3\\1.3.1";
    EXPECT_EQ(machineValue(runtimeKey, "CurrentVersion"), "1.3");
    for (const char* version : {"1.3", "1.3.1"}) {
        SCOPED_TRACE(version);
        std::string key = runtimeKey + "\\" + version;
        EXPECT_EQ(machineValue(key, "JavaHome"), home);
        EXPECT_EQ(machineValue(key, "MicroVersion"), "1");
        EXPECT_EQ(machineValue(key, "RuntimeLib"), home + "\\bin\\hotspot\\jvm.dll");
    }
    EXPECT_FALSE(machineKeyExists(developmentKitKey));
    EXPECT_TRUE(JvmPackage::traced("Windows registry configured"));
}

TEST(RegistryLayout, TheFirstFamilyGetsOneKeyWithoutRuntimeLibrary)
{
    JvmPackage package;
    std::string dir = placeJvm("Q:\\jre118", {"bin\\jrew.exe", "bin\\classic\\jvm.dll"});
    ASSERT_TRUE(configure("1.1.8", "JRE", "jrew.exe", dir, package.windowsDir));
    EXPECT_EQ(machineValue(runtimeKey, "CurrentVersion"), "1.1");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.1", "JavaHome"), "q:\\jre118");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.1", "MicroVersion"), "8");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.1", "RuntimeLib"), "");
    EXPECT_FALSE(machineKeyExists(runtimeKey + "\\1.1.8"));
}

TEST(RegistryLayout, NothingThereIsEverOverwritten)
{
    JvmPackage package;
    package.javaSoft.setString("CurrentVersion", "1.2", "Java Runtime Environment");
    package.javaSoft.setString("JavaHome", "c:\\old\\jre", "Java Runtime Environment\\1.3");
    package.javaSoft.setString("MicroVersion", "0", "Java Runtime Environment\\1.3");
    package.javaSoft.setString("JavaHome", "c:\\kept", "Java Runtime Environment\\1.4");
    package.javaSoft.setString("MicroVersion", "", "Java Runtime Environment\\1.4");
    std::string dir13 = placeJvm("Q:\\jre131", {"bin\\javaw.exe"});
    std::string dir14 = placeJvm("Q:\\jre142", {"bin\\javaw.exe", "bin\\client\\jvm.dll"});
    ASSERT_TRUE(configure("1.3.1", "JRE", "javaw.exe", dir13, package.windowsDir));
    ASSERT_TRUE(configure("1.4.2", "JRE", "javaw.exe", dir14, package.windowsDir));

    EXPECT_EQ(machineValue(runtimeKey, "CurrentVersion"), "1.2");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.3", "JavaHome"), "c:\\old\\jre") << "a registered version is left whole";
    EXPECT_EQ(machineValue(runtimeKey + "\\1.3", "MicroVersion"), "0");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.3.1", "JavaHome"), "q:\\jre131");
    EXPECT_EQ(machineValue(runtimeKey + "\\1.4", "JavaHome"), "c:\\kept") << "text is never overwritten";
    EXPECT_EQ(machineValue(runtimeKey + "\\1.4", "MicroVersion"), "2") << "an empty value is filled in";
    EXPECT_EQ(machineValue(runtimeKey + "\\1.4", "RuntimeLib"), "q:\\jre142\\bin\\client\\jvm.dll");
    EXPECT_TRUE(JvmPackage::traced("JavaHome already exists in registry"));
}

TEST(RegistryLayout, DevelopmentKitAloneOrWithItsRuntime)
{
    {
        SCOPED_TRACE("jdk with java.exe");
        JvmPackage package;
        std::string dir = placeJvm("Q:\\jdk14", {"bin\\java.exe"});
        ASSERT_TRUE(configure("1.4", "jdk", "java.exe", dir, package.windowsDir));
        EXPECT_EQ(machineValue(developmentKitKey + "\\1.4", "JavaHome"), "q:\\jdk14");
        EXPECT_EQ(machineValue(runtimeKey + "\\1.4", "JavaHome"), "q:\\jdk14");
        EXPECT_EQ(machineValue(runtimeKey + "\\1.4.0", "MicroVersion"), "0");
    }
    {
        SCOPED_TRACE("JDK with run.exe");
        JvmPackage package;
        std::string dir = placeJvm("Q:\\jdk14", {"run.exe"});
        ASSERT_TRUE(configure("1.4", "JDK", "run.exe", dir, package.windowsDir));
        EXPECT_EQ(machineValue(developmentKitKey, "CurrentVersion"), "1.4");
        EXPECT_TRUE(machineKeyExists(developmentKitKey + "\\1.4"));
        EXPECT_FALSE(machineKeyExists(runtimeKey));
    }
}

TEST(RegistryLayout, SwitchedOffOrTemporaryMeansNoRegistryAtAll)
{
    {
        SCOPED_TRACE("configureWinRegistry=no");
        JvmPackage package;
        package.control("configureWinRegistry=no\r\n");
        std::string dir = placeJvm("Q:\\jre131", {"bin\\javaw.exe"});
        ASSERT_TRUE(configure("1.3.1", "JRE", "javaw.exe", dir, package.windowsDir));
        EXPECT_FALSE(machineKeyExists(runtimeKey));
        EXPECT_TRUE(JvmPackage::traced("Windows registry unchanged"));
    }
    {
        SCOPED_TRACE("[$AppDir]\\jre");
        JvmPackage package;
        package.archive(jvmFiles("", "1.3.1"));
        auto result = package.installJvm("1.3", "1.3.1", "[$AppDir]\\jre");
        ASSERT_TRUE(result.ok);
        EXPECT_EQ(result.jvmPath, package.native() + "\\jre\\bin\\javaw.exe");
        EXPECT_FALSE(machineKeyExists(runtimeKey));
    }
}

TEST(LauncherCopies, IntoTheWindowsDirectoryOnlyForTheCurrentRuntime)
{
    {
        SCOPED_TRACE("no current runtime before");
        JvmPackage package;
        std::string dir = placeJvm("Q:\\jre131", {"bin\\javaw.exe", "bin\\java.exe", "bin\\msvcrt.dll"});
        writeFile(package.windowsDir + "\\java.exe", "already there");
        ASSERT_TRUE(configure("1.3.1", "JRE", "javaw.exe", dir, package.windowsDir));
        EXPECT_EQ(readFile(package.windowsDir + "\\javaw.exe"), "content of bin\\javaw.exe");
        EXPECT_EQ(readFile(package.windowsDir + "\\java.exe"), "already there") << "never over an existing file";
        EXPECT_EQ(readFile(package.windowsDir + "\\system\\msvcrt.dll"), "content of bin\\msvcrt.dll");
    }
    {
        SCOPED_TRACE("another runtime is current");
        JvmPackage package;
        package.javaSoft.setString("CurrentVersion", "1.2", "Java Runtime Environment");
        std::string dir = placeJvm("Q:\\jre131", {"bin\\javaw.exe", "bin\\java.exe", "bin\\msvcrt.dll"});
        ASSERT_TRUE(configure("1.3.1", "JRE", "javaw.exe", dir, package.windowsDir));
        EXPECT_TRUE(machineKeyExists(runtimeKey + "\\1.3.1"));
        EXPECT_FALSE(fileExists(package.windowsDir + "\\javaw.exe"));
        EXPECT_FALSE(fileExists(package.windowsDir + "\\system\\msvcrt.dll"));
    }
    {
        SCOPED_TRACE("a missing partner is traced");
        JvmPackage package;
        std::string dir = placeJvm("Q:\\jre131", {"bin\\javaw.exe"});
        ASSERT_TRUE(configure("1.3.1", "JRE", "javaw.exe", dir, package.windowsDir));
        EXPECT_TRUE(JvmPackage::traced("unable to copy file from q:\\jre131\\bin\\java.exe"));
        EXPECT_TRUE(JvmPackage::traced("                      to " + package.windowsDir + "\\java.exe"));
    }
}

TEST(ConfigureJvm, LauncherNamesThatAreAndAreNotReplaced)
{
    struct Case {
        const char* given;
        bool ownLog;
        const char* file;
        const char* expected; // null: no launcher found
    } cases[] = {
        {"jrew.exe", true, "bin\\javaw.exe", "javaw.exe"},
        {"jrew.exe", false, "bin\\java.exe", "java.exe"},
        {"java.exe", true, "bin\\java.exe", "java.exe"},
        {"java.exe", true, "bin\\javaw.exe", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.given) + " with " + c.file);
        JvmPackage package;
        if (!c.ownLog) fs::remove("jinstall.sem");
        package.control("configureWinRegistry=no\r\n");
        std::string dir = placeJvm("Q:\\jre13", {c.file});
        std::string found;
        EXPECT_EQ(configure("1.3", "JRE", c.given, dir, package.windowsDir, &found), c.expected != nullptr);
        EXPECT_EQ(found, c.expected ? c.expected : c.given);
    }
}

// The whole program on XP: no JVM on the machine, the package's archive installs one, which is
// verified, registered and then runs the wizard.
TEST(WholeProgramXp, InstallsRegistersAndStartsTheWizardWithThePackagesJvm)
{
    JvmPackage package;
    ProgramFiles programFiles;
    fs::remove("jinstall.sem"); // the trace log is the user's own, and stays
    Lines script = jvmFiles("", "1.4.2_05");
    script.push_back("append fakejvm.txt wizard=start");
    script.push_back("append fakejvm.txt copy=native.properties");
    package.archive(script);
    writeFile("install.jar", "PK");
    package.control("jvmRequiredVersion=1.4\r\njvmVersion=1.4.2_05\r\njvmSelfExtractor=jre-archive.exe\r\n"
                    "jvmCommandName=javaw.exe\r\njvmClasspathSwitch=-cp\r\n"
                    "loaderJavaCommand=com.quivrell.sample.Install\r\n");
    std::string program = package.native() + "\\qivstart_xp.exe";
    fs::copy_file(programFromEnvironment("QIV_PROGRAM"), program);

    ProgramRun run(program, "", package.native());
    bool ended = waitUntil([&] { return !run.running(); }, 20000);
    std::vector<std::string> boxes = run.answerBoxes();
    ASSERT_TRUE(ended) << (boxes.empty() ? "" : boxes.front());

    std::string folder = "Q:\\Program Files\\JavaSoft\\JRE1.4\\1.4.2_05";
    std::string home = "q:\\program files\\javasoft\\jre1.4\\1.4.2_05";
    EXPECT_EQ(machineValue(runtimeKey + "\\1.4", "JavaHome"), home);
    EXPECT_EQ(machineValue(runtimeKey + "\\1.4.2_05", "MicroVersion"), "2_05");
    EXPECT_EQ(readFile(folder + "\\native.properties"),
              "nativeJvmHomeDir=Q:/Program Files/JavaSoft/JRE1.4/1.4.2_05\r\n"
              "nativeJvmInstalled=true\r\nconfigureWinRegistry=true\r\n")
        << "what the wizard was given";
    EXPECT_TRUE(JvmPackage::traced("Java wizard launched successfully"));
    Lines calls = readPlainLines(folder + "\\fakejvm-calls.txt");
    ASSERT_EQ(calls.size(), 2u) << "the test class on the new JVM, then the wizard";
    EXPECT_NE(calls.back().find("com.quivrell.sample.Install"), std::string::npos);
}
