// The real qivstart.exe, run as its own process in a fresh package folder and watched from outside, and
// its resources as Windows reads them.
#include "fakejvm.h"
#include "installer/installer.h"
#include "programrun.h"
#include "regscope.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

const char* const english = "English_United States.1252";

// A package as its unpacker leaves it, on a machine with no JVM registered.
struct Package : TestFolder {
    ScopedUserLocale locale;
    ScopedRegKey javaSoft{HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft"};
    std::string program;

    explicit Package(const char* userLocale = english, const std::string& innerName = "")
        : TestFolder(innerName), locale(userLocale)
    {
        program = native() + "\\qivstart.exe";
        fs::copy_file(programFromEnvironment("QIV_PROGRAM"), program);
        fs::copy_file(programFromEnvironment("QIV_FAKECLEANUP"), "cleanup.exe");
        // No JVM can be found or installed yet: every run ends in an error box, which keeps the
        // installation running until the test answers it.
        writeFile("qiv.control", "jvmRequiredVersion=1.4\r\n");
    }

    // A fake JVM registered as the machine's 1.6, with the files its test class and wizard need.
    FakeJvmHome registeredJvm(std::initializer_list<const char*> settings)
    {
        FakeJvmHome jvm("jre6", {"bin\\javaw.exe"}, settings);
        javaSoft.setString("JavaHome", jvm.home, "Java Runtime Environment\\1.6");
        writeFile("TestJvm.class", "");
        writeFile("install.jar", "PK");
        writeFile("qiv.control", "jvmMinVersion=1.6\r\njvmCommandName=javaw.exe\r\nloaderJavaCommand=Main\r\n");
        return jvm;
    }
};

HWND statusDialog(const ProgramRun& run)
{
    return run.window("#32770", "Installer", true);
}

// Answers boxes until the process has ended.
bool finish(ProgramRun& run)
{
    bool ended = waitUntil(
        [&] {
            run.answerBoxes();
            return !run.running();
        },
        15000);
    return ended && run.waitForExit(1000);
}

} // namespace

// The error box removes the status-window marker; the dialog, in the user's language, bridges on for up
// to 200 messages, then hides, while the installation marker keeps the process alive, and no longer. A
// start folder that is the package folder in another case hands over to nobody.
TEST(Launcher, DialogHidesAfterTheGraceMessagesAndTheProcessWaitsForTheInstallation)
{
    Package package("Dutch (Belgian)");
    std::string upper = package.native();
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    writeFile("startdir.txt", upper + "\r\n");
    ProgramRun run(package.program, "", package.native());
    ASSERT_TRUE(waitUntil([&] { return !run.boxes().empty(); }, 10000));
    EXPECT_FALSE(fileExists("__qivshow.sem"));
    Sleep(500);
    HWND dialog = statusDialog(run);
    ASSERT_NE(dialog, nullptr) << "the dialog stays up in the grace loop";
    EXPECT_EQ(windowText(GetDlgItem(dialog, 104)), "Voorbereiden Wizard...");

    HWND mainWindow = run.window("GenericWClass", nullptr, false);
    ASSERT_NE(mainWindow, nullptr);
    for (int i = 0; i < 200; ++i) PostMessageA(mainWindow, WM_NULL, 0, 0);
    EXPECT_TRUE(waitUntil([&] { return statusDialog(run) == nullptr; }, 2000)) << "200 messages end the grace";
    EXPECT_TRUE(run.running());

    // The process lives exactly as long as the installation marker, even with the worker's box still open.
    ASSERT_TRUE(fileExists("__qivinstall.sem"));
    fs::remove("__qivinstall.sem");
    EXPECT_TRUE(run.waitForExit(1000)) << "still running a second after the marker went";
    for (const char* gone : {"cleanup.exe", "__cleanup.exe", "cleanup-ran.txt"}) EXPECT_FALSE(fileExists(gone)) << gone;
}

// A registered JVM that takes its time over the test class keeps the installation in its first loop.
// Without a start folder, nobody takes over.
TEST(Launcher, EscapeEndsOnlyTheLoopNotTheInstallation)
{
    Package package;
    FakeJvmHome jvm = package.registeredJvm({"sleep=1500", "result=1.6.0_20"});
    ProgramRun run(package.program, "", package.native());
    HWND dialog = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (dialog = statusDialog(run)) != nullptr; }, 10000));
    ASSERT_TRUE(waitUntil([&] { return !jvm.calls().empty(); }, 5000)) << "the JVM test has begun";
    ASSERT_TRUE(fileExists("__qivshow.sem")) << "still in the first loop";
    PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, 2000)) << "Escape destroys the dialog";
    EXPECT_TRUE(run.running()) << "the installation is not interrupted";

    EXPECT_TRUE(finish(run));
    EXPECT_EQ(jvm.calls().size(), 2u) << "the installation went on to the wizard";
    Lines errors = readLogLines("errors.log");
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors[errors.size() - 2], wizardNotStartedText);
    for (const char* gone : {"cleanup.exe", "__cleanup.exe", "cleanup-ran.txt"}) EXPECT_FALSE(fileExists(gone)) << gone;
}

// The dialog stays up for the whole installation: through the test of a registered JVM, and on through
// the start-up of a wizard that takes its time to show itself. The wizard's JVM keeps the record it was
// given, which the run removes afterwards. Started from the folder around the package, the run hands
// over to the cleanup program, with the package folder, blanks and all, as its one argument.
TEST(Launcher, RegisteredJvmIsRecordedForASlowWizardThenTheCleanupProgramTakesOver)
{
    Package package(english, "package with space");
    writeFile("startdir.txt", package.path().parent_path().string() + "  \r\n");
    FakeJvmHome jvm = package.registeredJvm({"sleep=2000", "result=java.version=1.6.0_20", "wizard=start",
                                             "copy=native.properties"});
    ProgramRun run(package.program, "", package.native());
    for (std::size_t starts : {1u, 2u}) {
        SCOPED_TRACE(starts == 1 ? "the JVM test" : "the wizard");
        ASSERT_TRUE(waitUntil([&] { return jvm.calls().size() == starts; }, 10000));
        Sleep(500);
        EXPECT_NE(statusDialog(run), nullptr);
    }
    EXPECT_TRUE(finish(run));

    std::string home = jvm.home;
    std::replace(home.begin(), home.end(), '\\', '/');
    EXPECT_EQ(readFile(jvm.home + "\\native.properties"), "nativeJvmHomeDir=" + home +
                                                 "\r\nnativeJvmInstalled=false\r\nnativeJvmInstalledInTemp=false\r\n"
                                                 "configureWinRegistry=true\r\n");
    ASSERT_EQ(jvm.calls().size(), 2u) << "the test class, then the wizard, taken as started";
    EXPECT_EQ(jvm.calls()[0], (Lines{package.native(), "javaw.exe", "-cp", ".", "TestJvm", package.native()}));
    EXPECT_FALSE(fileExists("native.properties")) << "the run removed it";
    ASSERT_TRUE(waitUntil([] { return fileExists("cleanup-ran.txt"); }, 5000)) << "__cleanup.exe did not run";
    Lines args = splitLines(readFile("cleanup-ran.txt"), textLineEnd());
    ASSERT_EQ(args.size(), 2u) << "the folder is the one argument";
    EXPECT_EQ(args[1], package.native());
    EXPECT_TRUE(fileExists("cleanup.exe"));
}

// The main road with a real JVM: Debian's OpenJDK through the bridge, the real test class and the
// sample wizard, which installs its application, silently, into the folder given after -q. The run's
// own files go afterwards.
TEST(Launcher, RealJvmRunsTheTestClassAndTheWizard)
{
    Package package;
    std::string javaOut = programFromEnvironment("QIV_JAVA_OUT"), home = package.native() + "\\OpenJDK";
    fs::copy_file(javaOut + "\\TestJvm.class", "TestJvm.class");
    fs::copy_file(javaOut + "\\install.jar", "install.jar");
    fs::create_directories("OpenJDK\\bin");
    for (const char* launcher : {"java.exe", "javaw.exe"})
        fs::copy_file(programFromEnvironment("QIV_JAVABRIDGE"), home + "\\bin\\" + launcher);
    package.javaSoft.setString("JavaHome", home, "Java Runtime Environment\\17");
    writeFile("qiv.control", "jvmMinVersion=1.6\r\njvmCommandName=javaw.exe\r\njvmClasspathSwitch=-cp\r\n"
                             "loaderJavaCommand=com.quivrell.sample.Install\r\n");
    std::string target = package.native() + "\\Sample App";
    writeFile("jinstall.log", ""); // the user's own trace log, which stays after a success

    ProgramRun run(package.program, "-q \"" + target + "\"", package.native());
    bool shown = false;
    bool ended = waitUntil(
        [&] {
            shown = shown || statusDialog(run) || run.window("GenericWClass", nullptr, true);
            return !run.running();
        },
        60000);
    Lines boxes = run.answerBoxes();
    ASSERT_TRUE(ended) << (boxes.empty() ? "still running" : boxes.front());
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(shown) << "a switch followed by a folder hides every window";

    Lines trace = readLogLines("jinstall.log");
    auto realVersion = [](const std::string& line) { return line.rfind("found jvm version: 17", 0) == 0; };
    EXPECT_TRUE(std::any_of(trace.begin(), trace.end(), realVersion)) << "the real test class reported the real version";
    EXPECT_TRUE(fileExists(target + "\\README.txt")) << "the wizard installed the application";
    std::replace(home.begin(), home.end(), '\\', '/');
    EXPECT_NE(readFile(target + "\\jvm.properties").find(home), std::string::npos);
    for (const char* gone : {"install.jar", "native.properties", "__qivinstall.sem", "__qivshow.sem", "__qivwizard.sem"})
        EXPECT_FALSE(fileExists(gone)) << gone << " was left in the package";
}

// What Windows reads from the program's resources: the version of the file VERSION, and a manifest that
// asks for no rights beyond the user's.
TEST(Resources, VersionOfTheVersionFileAndNoElevation)
{
    std::string path = programFromEnvironment("QIV_PROGRAM"), version = QIV_TEST_VERSION;
    while (std::count(version.begin(), version.end(), '.') < 3) version += ".0";
    DWORD ignored = 0;
    std::string block(GetFileVersionInfoSizeA(path.c_str(), &ignored), '\0');
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    DWORD high = fixed->dwFileVersionMS, low = fixed->dwFileVersionLS;
    EXPECT_EQ(std::to_string(high >> 16) + "." + std::to_string(high & 0xFFFF) + "." + std::to_string(low >> 16) + "." +
                  std::to_string(low & 0xFFFF),
              version);

    HMODULE image = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(image, nullptr);
    HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), RT_MANIFEST);
    std::string manifest = found ? std::string(static_cast<const char*>(LockResource(LoadResource(image, found))),
                                               SizeofResource(image, found))
                                 : "";
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << manifest;
    FreeLibrary(image);
}
