// The real qivstart.exe, run as its own process in a fresh package folder, watched from outside.
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

namespace {

// A package as its unpacker leaves it: the program, the control file and the cleanup program.
struct Package : TestFolder {
    ScopedUserLocale locale;
    std::string program;

    explicit Package(const char* userLocale = "English_United States.1252", const std::string& innerName = "")
        : TestFolder(innerName), locale(userLocale)
    {
        program = native() + "\\qivstart.exe";
        fs::copy_file(programFromEnvironment("QIV_PROGRAM"), program);
        fs::copy_file(programFromEnvironment("QIV_FAKECLEANUP"), "cleanup.exe");
        // No JVM can be found or installed yet: every run ends in an error box, which keeps the
        // installation running until the test answers it.
        writeFile("qiv.control", "jvmRequiredVersion=1.4\r\n");
    }
};

HWND statusDialog(const ProgramRun& run)
{
    return run.window("#32770", "Installer", true);
}

// Waits until the run has opened its error box.
bool waitForBox(const ProgramRun& run)
{
    return waitUntil([&] { return !run.boxes().empty(); }, 10000);
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

TEST(Launcher, ShowsTheCentredStatusDialogInTheUsersLanguage)
{
    struct Case {
        const char* locale;
        const char* text;
    } cases[] = {
        {"English_United States.1252", "Unpacking the installer..."},
        {"Dutch (Belgian)", "Voorbereiden Wizard..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        Package package(c.locale);
        ProgramRun run(package.program, "", package.native());
        ASSERT_TRUE(run.started());
        HWND dialog = nullptr;
        ASSERT_TRUE(waitUntil([&] { return (dialog = statusDialog(run)) != nullptr; }, 10000))
            << "no visible window captioned Installer";
        std::string text;
        EXPECT_TRUE(waitUntil([&] { return (text = windowText(GetDlgItem(dialog, 104))) == c.text; }, 5000))
            << "control 104 reads \"" << text << "\"";

        RECT rect;
        GetWindowRect(dialog, &rect);
        int frameX = GetSystemMetrics(SM_CXDLGFRAME), frameY = GetSystemMetrics(SM_CYDLGFRAME);
        int width = rect.right - rect.left - 2 * frameX, height = rect.bottom - rect.top - 2 * frameY;
        EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXFULLSCREEN) - width) / 2);
        EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYFULLSCREEN) - height) / 2);

        EXPECT_TRUE(finish(run));
    }
}

TEST(Launcher, SwitchFollowedByAPathHidesEveryWindow)
{
    struct Case {
        const char* arguments;
        bool shown;
    } cases[] = {
        {"-q C:\\Target", false},
        {"-q", true},
        {"C:\\Target -q", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        Package package;
        ProgramRun run(package.program, c.arguments, package.native());
        ASSERT_TRUE(run.started());
        bool everShown = false;
        bool ended = waitUntil(
            [&] {
                everShown = everShown || statusDialog(run) || run.window("GenericWClass", nullptr, true);
                if (everShown && c.shown) run.answerBoxes(); // seen: no need to look longer
                if (!c.shown) run.answerBoxes();
                return !run.running();
            },
            15000);
        EXPECT_TRUE(ended);
        EXPECT_EQ(everShown, c.shown);
    }
}

// The error box removes the status-window marker; the dialog bridges on for up to 200 messages, then
// hides, while the installation marker keeps the process alive, and no longer.
TEST(Launcher, DialogHidesAfterTheGraceMessagesAndTheProcessWaitsForTheInstallation)
{
    Package package;
    ProgramRun run(package.program, "", package.native());
    ASSERT_TRUE(waitForBox(run));
    EXPECT_FALSE(fileExists("__qivshow.sem"));
    Sleep(500);
    ASSERT_NE(statusDialog(run), nullptr) << "the dialog stays up in the grace loop";

    HWND mainWindow = run.window("GenericWClass", nullptr, false);
    ASSERT_NE(mainWindow, nullptr);
    for (int i = 0; i < 200; ++i) PostMessageA(mainWindow, WM_NULL, 0, 0);
    EXPECT_TRUE(waitUntil([&] { return statusDialog(run) == nullptr; }, 2000)) << "200 messages end the grace";
    EXPECT_TRUE(run.running());
    EXPECT_FALSE(run.boxes().empty());

    // The process lives exactly as long as the installation marker, even with the worker's box still open.
    ASSERT_TRUE(fileExists("__qivinstall.sem"));
    fs::remove("__qivinstall.sem");
    DWORD start = GetTickCount();
    EXPECT_TRUE(run.waitForExit(1000)) << "still running a second after the marker went";
    EXPECT_LT(GetTickCount() - start, 1000u);
}

// A registered JVM that takes its time over the test class keeps the installation in its first loop.
TEST(Launcher, EscapeEndsOnlyTheLoopNotTheInstallation)
{
    Package package;
    ScopedRegKey javaSoft(HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft");
    writeFile("TestJvm.class", "");
    FakeJvmHome jvm("jre6", {"bin\\javaw.exe"}, {"sleep=1500", "result=1.6.0_20"});
    javaSoft.setString("JavaHome", jvm.home, "Java Runtime Environment\\1.6");
    writeFile("qiv.control", "jvmMinVersion=1.6\r\n");

    ProgramRun run(package.program, "", package.native());
    HWND dialog = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (dialog = statusDialog(run)) != nullptr; }, 10000));
    ASSERT_TRUE(waitUntil([&] { return !jvm.calls().empty(); }, 5000)) << "the JVM test has begun";
    ASSERT_TRUE(fileExists("__qivshow.sem")) << "still in the first loop";
    PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, 2000)) << "Escape destroys the dialog";
    EXPECT_TRUE(run.running()) << "the installation is not interrupted";

    EXPECT_TRUE(finish(run));
    std::vector<std::string> trace = readLogLines("jinstall.log");
    EXPECT_NE(std::find(trace.begin(), trace.end(), "Found correct version of JVM: " + jvm.home + "\\bin\\javaw.exe"),
              trace.end())
        << "the installation went on past the JVM test";
    std::vector<std::string> errors = readLogLines("errors.log");
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors[errors.size() - 2], wizardNotStartedText);
}

// The dialog stays up for the whole installation: through the JVM test, and on through the start-up
// of a wizard that takes its time to show itself, until the installation is over.
TEST(Launcher, DialogBridgesASlowWizardUntilTheInstallationEnds)
{
    Package package;
    ScopedRegKey javaSoft(HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft");
    writeFile("TestJvm.class", "");
    writeFile("install.jar", "PK");
    FakeJvmHome jvm("jre6", {"bin\\javaw.exe"}, {"sleep=2000", "result=1.6.0_20", "wizard=start"});
    javaSoft.setString("JavaHome", jvm.home, "Java Runtime Environment\\1.6");
    writeFile("qiv.control", "jvmMinVersion=1.6\r\njvmCommandName=javaw.exe\r\nloaderJavaCommand=Main\r\n");

    ProgramRun run(package.program, "", package.native());
    for (std::size_t starts : {1u, 2u}) {
        SCOPED_TRACE(starts == 1 ? "the JVM test" : "the wizard");
        ASSERT_TRUE(waitUntil([&] { return jvm.calls().size() == starts; }, 10000));
        Sleep(500);
        EXPECT_NE(statusDialog(run), nullptr);
    }
    EXPECT_FALSE(fileExists("__qivshow.sem")) << "the wizard has been started";
    EXPECT_TRUE(finish(run));
    EXPECT_EQ(jvm.calls().size(), 2u) << "the wizard ran once and was taken as started";
}

TEST(Launcher, RegisteredJvmIsVerifiedAndRecordedForTheWizard)
{
    Package package;
    ScopedRegKey javaSoft(HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft");
    writeFile("TestJvm.class", "");
    writeFile("install.jar", "PK");
    // The wizard's JVM keeps what it was given: the cleanup removes "native.properties" afterwards.
    FakeJvmHome jvm("Java\\jre6", {"bin\\javaw.exe"}, {"result=java.version=1.6.0_20", "copy=native.properties"});
    javaSoft.setString("JavaHome", jvm.home, "Java Runtime Environment\\1.6");
    writeFile("qiv.control", "jvmMinVersion=1.5\r\njvmMaxVersion=1.6\r\n");

    ProgramRun run(package.program, "", package.native());
    ASSERT_TRUE(waitForBox(run));
    std::vector<std::string> texts = run.answerBoxes();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].rfind(wizardNotStartedText, 0), 0u) << "only the wizard launch failed";
    ASSERT_TRUE(run.waitForExit(5000));

    std::string home = jvm.home;
    std::replace(home.begin(), home.end(), '\\', '/');
    EXPECT_EQ(readFile(jvm.home + "\\native.properties"), "nativeJvmHomeDir=" + home +
                                                 "\r\nnativeJvmInstalled=false\r\nnativeJvmInstalledInTemp=false\r\n"
                                                 "configureWinRegistry=true\r\n");
    ASSERT_EQ(jvm.calls().size(), 2u) << "the test class, then the wizard";
    EXPECT_EQ(jvm.calls()[0], (std::vector<std::string>{package.native(), "javaw.exe", "-cp", ".", "TestJvm",
                                                          package.native()}));
    EXPECT_FALSE(fileExists("native.properties")) << "the cleanup removed it";
}

TEST(Launcher, StartFolderElsewhereHandsOverToTheCleanupProgram)
{
    // The user started the installation from the folder around the package, which has a space in its name.
    Package package("English_United States.1252", "package with space");
    writeFile("startdir.txt", package.path().parent_path().string() + "  \r\n");
    ProgramRun run(package.program, "", package.native());
    EXPECT_TRUE(finish(run));
    ASSERT_TRUE(waitUntil([] { return fileExists("cleanup-ran.txt"); }, 5000)) << "__cleanup.exe did not run";
    std::vector<std::string> args = splitLines(readFile("cleanup-ran.txt"), textLineEnd());
    ASSERT_EQ(args.size(), 2u) << "the folder is the one argument";
    std::string program = args[0];
    std::transform(program.begin(), program.end(), program.begin(), [](unsigned char c) { return std::tolower(c); });
    EXPECT_NE(program.find("__cleanup.exe"), std::string::npos) << args[0];
    EXPECT_EQ(args[1], package.native());
    EXPECT_TRUE(fileExists("cleanup.exe"));
}

TEST(Launcher, SameStartFolderOrNoneDeletesBothCleanupPrograms)
{
    for (const char* startDir : {"same folder in other case", "empty file"}) {
        SCOPED_TRACE(startDir);
        Package package;
        std::string folder = package.native();
        std::transform(folder.begin(), folder.end(), folder.begin(), [](unsigned char c) { return std::toupper(c); });
        writeFile("startdir.txt", std::string(startDir) == "empty file" ? "" : folder + "\r\n");
        ProgramRun run(package.program, "", package.native());
        EXPECT_TRUE(finish(run));
        Sleep(200);
        EXPECT_FALSE(fileExists("cleanup.exe"));
        EXPECT_FALSE(fileExists("__cleanup.exe"));
        EXPECT_FALSE(fileExists("cleanup-ran.txt"));
    }
}

// The main road with a real JVM: Debian's OpenJDK through the bridge, the real test class and the
// sample wizard, which installs its application into the folder given after -q.
TEST(Launcher, RealJvmRunsTheTestClassAndTheWizard)
{
    Package package;
    ScopedRegKey javaSoft(HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft");
    std::string javaOut = programFromEnvironment("QIV_JAVA_OUT");
    fs::copy_file(javaOut + "\\TestJvm.class", "TestJvm.class");
    fs::copy_file(javaOut + "\\install.jar", "install.jar");
    fs::create_directories("OpenJDK\\bin");
    std::string bridge = programFromEnvironment("QIV_JAVABRIDGE");
    fs::copy_file(bridge, "OpenJDK\\bin\\java.exe");
    fs::copy_file(bridge, "OpenJDK\\bin\\javaw.exe");
    std::string home = package.native() + "\\OpenJDK";
    javaSoft.setString("JavaHome", home, "Java Runtime Environment\\17");
    writeFile("qiv.control", "jvmMinVersion=1.6\r\njvmCommandName=javaw.exe\r\njvmClasspathSwitch=-cp\r\n"
                             "loaderJavaCommand=com.quivrell.sample.Install\r\n");
    std::string target = package.native() + "\\Sample App";
    writeFile("jinstall.log", ""); // the user's own trace log, which stays after a success

    ProgramRun run(package.program, "-q \"" + target + "\"", package.native());
    bool ended = waitUntil([&] { return !run.running(); }, 60000);
    std::vector<std::string> boxes = run.answerBoxes();
    ASSERT_TRUE(ended) << (boxes.empty() ? "still running" : boxes.front());
    EXPECT_TRUE(boxes.empty());

    std::vector<std::string> trace = readLogLines("jinstall.log");
    auto traced = [&](const std::string& prefix) {
        return std::any_of(trace.begin(), trace.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    };
    EXPECT_TRUE(traced("found jvm version: 17")) << "the real test class reported the real version";
    EXPECT_TRUE(traced("Found correct version of JVM: " + home + "\\bin\\javaw.exe"));
    EXPECT_TRUE(traced("java installer launch command: javaw.exe -cp .;install.jar com.quivrell.sample.Install -q"));
    EXPECT_TRUE(traced("Java wizard launched successfully"));
    EXPECT_FALSE(fileExists("__qivwizard.sem"));
    EXPECT_TRUE(fileExists(target + "\\README.txt")) << "the wizard installed the application";
    std::string properties = readFile(target + "\\jvm.properties");
    std::string slashed = home;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    EXPECT_NE(properties.find(slashed), std::string::npos) << properties;
}

// A whole successful run in a package as an unpacker leaves it: afterwards the package folder holds
// none of the files the run removes, the security file is in the JVM's home, and the start folder has
// the copies of the logs and nothing else.
TEST(Launcher, SuccessfulRunCleansThePackageAndKeepsTheLogsInTheStartFolder)
{
    Package package("English_United States.1252", "package");
    ScopedRegKey javaSoft(HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft");
    fs::create_directories("..\\start");
    std::string start = fs::canonical("..\\start").string();
    FakeJvmHome jvm("..\\jre6", {"bin\\javaw.exe"}, {"result=1.6.0_20", "wizard=start"});
    javaSoft.setString("JavaHome", jvm.home, "Java Runtime Environment\\1.6");
    fs::create_directories("META-INF");
    writeFile("META-INF\\MANIFEST.MF", "Manifest-Version: 1.0\r\nName: TestJvm.class\r\nName: java.policy\r\n"
                                       "Name: docs/readme.txt\r\n");
    fs::create_directories("docs");
    for (const char* file : {"TestJvm.class", "install.jar", "java.policy", "docs\\readme.txt"}) writeFile(file, "x");
    writeFile("qivpand.log", "unpacked 6 files\r\n");
    writeFile("startdir.txt", start + "\r\n");
    writeFile("qiv.control", "jvmMinVersion=1.6\r\njvmCommandName=javaw.exe\r\njvmClasspathSwitch=-cp\r\n"
                             "loaderJavaCommand=Main\r\n"
                             "userSecurityPolicyFilename=${java.home}/lib/security/java.policy\r\n");

    ProgramRun run(package.program, "", package.native());
    ASSERT_TRUE(finish(run));
    for (const char* gone : {"TestJvm.class", "install.jar", "java.policy", "docs\\readme.txt", "META-INF",
                             "native.properties", "startdir.txt", "changes.txt", "jinstall.log", "jinstall.sem",
                             "errors.log", "__qivinstall.sem", "__qivshow.sem", "__qivwizard.sem"})
        EXPECT_FALSE(fileExists(gone)) << gone;
    EXPECT_TRUE(fileExists(jvm.home + "\\lib\\security\\java.policy")) << "the security file was put in place";
    std::vector<std::string> copies;
    for (const auto& entry : fs::directory_iterator(start)) copies.push_back(entry.path().filename().string());
    EXPECT_EQ(copies, (std::vector<std::string>{"qivpand.log"})) << "only the logs reach the start folder";
    EXPECT_EQ(readFile(start + "\\qivpand.log"), "unpacked 6 files\r\n");
}
