// The real qivstart.exe, run as its own process in a fresh package folder or from the setup program that
// carries it, and watched from outside; and its resources as Windows reads them.
#include "fakejvm.h"
#include "programrun.h"
#include "regscope.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

const char* const english = "English_United States.1252";

// A package as its unpacker leaves it, on a machine with no JVM registered; pathLength: the package folder
// is a folder inside that has a path of that length.
struct Package : TestFolder {
    ScopedUserLocale locale;
    ScopedRegKey javaSoft{HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft"};
    std::string dir, program;

    explicit Package(const char* userLocale = english, const std::string& innerName = "", std::size_t pathLength = 0)
        : TestFolder(innerName), locale(userLocale), dir(native())
    {
        if (pathLength) fs::create_directory(dir += "\\" + std::string(pathLength - dir.size() - 1, 'p'));
        fs::current_path(dir);
        program = dir + "\\qivstart.exe";
        fs::copy_file(programFromEnvironment("QIV_PROGRAM"), program);
        fs::copy_file(programFromEnvironment("QIV_FAKEINSTALLER"), "cleanup.exe");
        // No JVM can be found or installed yet: every run ends in an error box, which keeps the
        // installation running until the test answers it.
        writeFile("qiv.control", "jvmRequiredVersion=1.4\r\n");
    }
};

bool holds(const Lines& lines, const std::string& prefix)
{
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

HWND statusDialog(const ProgramRun& run)
{
    return run.window("#32770", "Installer", true);
}

// Answers the run's boxes until it ends; their texts, in order.
Lines boxesUntilEnd(ProgramRun& run, DWORD timeoutMs, bool anyProcess = false)
{
    Lines boxes;
    EXPECT_TRUE(waitUntil([&] {
        for (const std::string& text : run.answerBoxes(anyProcess)) boxes.push_back(text);
        return !run.running();
    }, timeoutMs)) << "the run did not end";
    return boxes;
}

} // namespace

// Once the error box is up, the dialog, in the user's language, bridges on for up to 200 messages, then
// hides, while the installation marker keeps the process alive, and no longer. A start folder that is
// the package folder in another case hands over to nobody. The package folder is the longest the
// program runs in: one character more is refused, with one box.
TEST(Launcher, DialogHidesAfterTheGraceMessagesAndTheProcessWaitsForTheInstallation)
{
    Package package("Dutch (Belgian)", "package", 242);
    std::string upper = package.dir;
    CharUpperA(upper.data());
    writeFile("startdir.txt", upper + "\r\n");
    ProgramRun run(package.program, "", package.dir);
    ASSERT_TRUE(waitUntil([&] { return !run.boxes().empty(); }, 10000));
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
    for (const char* gone : {"cleanup.exe", "__cleanup.exe", "fakeinstaller-calls.txt"}) EXPECT_FALSE(fileExists(gone)) << gone;

    const std::string longer = package.dir + "p";
    fs::create_directory(longer);
    fs::copy_file(package.program, longer + "\\qivstart.exe");
    ProgramRun refused(longer + "\\qivstart.exe", "", longer);
    Lines boxes = boxesUntilEnd(refused, 10000);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("The installation files were unpacked into a folder whose path is too long.", 0), 0u);
    EXPECT_TRUE(holds(readLogLines(longer + "\\errors.log"), "package folder path too long:"));
}

// The dialog stays up for the whole installation: through the test of a registered JVM, and on through
// the start-up of a wizard that takes its time to show itself, where Escape ends that loop but not the
// installation. The JVM's result line of 10 MB still gives its version. The wizard's JVM keeps the
// record it was given, which the run removes afterwards. Started from the folder around the package,
// the run hands over to the cleanup program, with the package folder, blanks and all, as its one argument.
TEST(Launcher, RegisteredJvmIsRecordedForASlowWizardThenTheCleanupProgramTakesOver)
{
    Package package(english, "package with space");
    writeFile("startdir.txt", package.path().parent_path().string() + "  \r\n");
    FakeJvmHome jvm("jre6", {"bin\\javaw.exe"}, {"sleep=2000", "result=java.version=1.6.0_20", "pad=10485760",
                                                  "wizard=start", "copy=native.properties"});
    package.javaSoft.setString("JavaHome", jvm.home, "Java Runtime Environment\\1.6");
    writeFile("TestJvm.class", "");
    writeFile("install.jar", "PK");
    writeFile("qiv.control", "jvmMinVersion=1.6\r\njvmCommandName=javaw.exe\r\nloaderJavaCommand=Main\r\n");
    ProgramRun run(package.program, "", package.native());
    HWND dialog = nullptr;
    for (std::size_t starts : {1u, 2u}) {
        SCOPED_TRACE(starts == 1 ? "the JVM test" : "the wizard");
        ASSERT_TRUE(waitUntil([&] { return jvm.calls().size() == starts; }, 10000));
        Sleep(500);
        EXPECT_NE(dialog = statusDialog(run), nullptr);
    }
    PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, 1000)) << "Escape destroys the dialog";
    EXPECT_TRUE(run.running()) << "the installation is not interrupted";
    boxesUntilEnd(run, 15000);

    std::string home = jvm.home;
    std::replace(home.begin(), home.end(), '\\', '/');
    EXPECT_EQ(readFile(jvm.home + "\\native.properties"), "nativeJvmHomeDir=" + home +
                                                 "\r\nnativeJvmInstalled=false\r\nnativeJvmInstalledInTemp=false\r\n"
                                                 "configureWinRegistry=true\r\n");
    ASSERT_EQ(jvm.calls().size(), 2u) << "the test class, then the wizard, taken as started";
    EXPECT_EQ(jvm.calls()[0], (Lines{package.native(), "javaw.exe", "-cp", ".", "TestJvm", package.native()}));
    EXPECT_FALSE(fileExists("native.properties")) << "the run removed it";
    Lines ran;
    ASSERT_TRUE(waitUntil([&] { return !(ran = readPlainLines("fakeinstaller-calls.txt")).empty(); }, 5000));
    EXPECT_EQ(ran, Lines{package.native() + "|__cleanup.exe|" + package.native() + "|"}) << "the folder, one argument";
    EXPECT_TRUE(fileExists("cleanup.exe"));
}

// The main road with a real JVM: Debian's OpenJDK through the bridge, the real test class and the
// sample wizard, which installs its application, silently, into the folder given after -q. The run's
// own files go afterwards. Windows starts the program with no elevation prompt (its manifest asks for
// the user's rights alone) and reads the version of the file VERSION from it.
TEST(Launcher, RealJvmRunsTheTestClassAndTheWizard)
{
    Package package;
    const char* program = package.program.c_str();
    HMODULE image = LoadLibraryExA(program, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(image, nullptr);
    HRSRC found = FindResourceA(image, MAKEINTRESOURCEA(1), RT_MANIFEST);
    std::string manifest(found ? static_cast<const char*>(LockResource(LoadResource(image, found))) : "",
                         found ? SizeofResource(image, found) : 0);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << manifest;
    FreeLibrary(image);
    std::string block(GetFileVersionInfoSizeA(program, nullptr), '\0');
    ASSERT_TRUE(GetFileVersionInfoA(program, 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
                  LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    std::string version = QIV_TEST_VERSION;
    while (std::count(version.begin(), version.end(), '.') < 3) version += ".0";
    EXPECT_EQ(numbers, version);
    std::string javaOut = programFromEnvironment("QIV_JAVA_OUT"), home = package.native() + "\\OpenJDK";
    for (const char* file : {"TestJvm.class", "install.jar"}) fs::copy_file(javaOut + "\\" + file, file);
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
    bool ended = waitUntil([&] {
        shown = shown || statusDialog(run) || run.window("GenericWClass", nullptr, true);
        return !run.running();
    }, 60000);
    Lines boxes = run.answerBoxes();
    ASSERT_TRUE(ended) << (boxes.empty() ? "still running" : boxes.front());
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(shown) << "a switch followed by a folder hides every window";

    Lines trace = readLogLines("jinstall.log");
    EXPECT_TRUE(holds(trace, "found jvm version: 17")) << "the real test class reported the real version";
    EXPECT_TRUE(fileExists(target + "\\README.txt")) << "the wizard installed the application";
    std::replace(home.begin(), home.end(), '\\', '/');
    EXPECT_NE(readFile(target + "\\jvm.properties").find(home), std::string::npos);
    for (const char* gone : {"install.jar", "native.properties", "__qivinstall.sem", "__qivshow.sem", "__qivwizard.sem"})
        EXPECT_FALSE(fileExists(gone)) << gone << " was left in the package";
}

// Setup programs made by qivpack, started from a Downloads folder: two silent ones at once, then one that
// fails (no JVM on the machine and none in the package). Nothing of their packages stays behind.
TEST(Setup, SilentSetupsSideBySideThenAFailure)
{
    Package downloads(english, "Downloads");
    FakeJvmHome jvm("..\\jre6", {"bin\\javaw.exe"}, {"result=1.6.0_20", "wizard=start"});
    downloads.javaSoft.setString("JavaHome", jvm.home, "Java Runtime Environment\\1.6");
    const std::string setup = "My App 2.1 setup.exe";
    // Each of the two runs at once starts from a folder of its own, where its logs go.
    for (const char* folder : {".", "one", "two"}) {
        fs::create_directories(folder);
        fs::copy_file(programFromEnvironment("QIV_SETUP"), std::string(folder) + "\\" + setup);
    }
    auto inTemp = [] { return std::distance(fs::directory_iterator(fs::temp_directory_path()), {}); };
    const auto before = inTemp();
    std::size_t boxes = 0;
    auto exitCode = [&](ProgramRun& run) { // answers the boxes on the way, and counts them
        boxes += boxesUntilEnd(run, 60000, true).size();
        return run.waitForExit(1000) ? run.exitCode() : STILL_ACTIVE;
    };

    const std::string first = downloads.native() + "\\one", second = downloads.native() + "\\two";
    ProgramRun one(first + "\\" + setup, "-q \"C:\\Program Files\\App 1\"", first);
    ProgramRun two(second + "\\" + setup, "-q \"C:\\Program Files\\App 2\"", second);
    EXPECT_EQ(exitCode(one) + exitCode(two), 0u);
    EXPECT_EQ(inTemp(), before) << "nothing of either package is left in %TEMP%";
    Lines folders; // where each wizard ran
    for (const auto& call : jvm.calls())
        if (call.size() == 9 && call[4] == "Main") folders.push_back(call[0]);
    EXPECT_TRUE(folders.size() == 2 && folders[0] != folders[1]) << "each setup has a folder of its own";
    for (const std::string& folder : {first, second}) {
        EXPECT_EQ(readFile(folder + "\\package.log"), "unpacked\r\n") << "startdir.txt named " << folder;
        EXPECT_FALSE(fileExists(folder + "\\cleanup.log")) << readFile(folder + "\\cleanup.log");
    }

    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft\\Java Runtime Environment");
    ProgramRun failing(downloads.native() + "\\" + setup, "", downloads.native());
    EXPECT_EQ(exitCode(failing), 1u);
    EXPECT_EQ(boxes, 1u) << "one error box";
    EXPECT_EQ(inTemp(), before);
    EXPECT_FALSE(readLogLines("errors.log").empty()) << "the logs are in the Downloads folder";
}
