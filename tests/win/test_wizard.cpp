// The wizard launch, with a fake JVM that records what it was started with.
#include "fakejvm.h"
#include "installrun.h"

#include <cstdlib>
#include <initializer_list>

namespace {

// A package whose registered JVM does what settings tell it (report a version, start like a wizard).
struct WizardRun : InstallRun {
    FakeJvmHome jvm;

    WizardRun(const char* launcher, const std::string& control, const char* home, std::initializer_list<const char*> settings)
        : jvm(home, {launcher}, settings)
    {
        javaSoft.setString("JavaHome", jvm.home, "Java Runtime Environment\\1.6");
        writeFile("TestJvm.class", "");
        writeFile("install.jar", "PK");
        writeFile("jinstall.log", ""); // a log of the user's: it stays after a successful run, for the test to read
        writeFile("qiv.control", "jvmRequiredVersion=1.6\r\njvmClasspathSwitch=-classpath\r\n"
                                 "loaderJavaCommand=com.quivrell.sample.Install\r\njvmCommandName=javaw.exe\r\n" + control);
    }
};

} // namespace

// Whole runs with a found JVM: the class path with its Swing-archive rule, the options, the switches and
// the wizard argument, as the wizard's JVM received them; the markers and CLASSPATH.
TEST(WizardLaunch, FoundJvmStartsTheWizard)
{
    const char* const jrew = "jvmCommandName=jrew.exe\r\nloaderClasspath=swingall.jar;.;install.jar\r\n";
    enum Swing { none, inPackage, inJvm };
    struct Case {
        const char *what, *launcher, *home, *control;
        Swing swing;
        bool quiet, silent;
        const char *argument, *received, *swingTrace; // "@": the JVM's home
    } cases[] = {
        {"javaw.exe drops the Swing archive without a word; options with a double blank; -s", "bin\\javaw.exe", "jre",
         "loaderClasspath=swingall.jar;.;C:\\My Libs\\a.jar;install.jar\r\njvmExtraParameters=-Xmx64m  -Dq=1\r\n",
         inPackage, false, true, "C:\\T",
         "|javaw.exe|-Xmx64m|-Dq=1|-classpath|.;C:\\My Libs\\a.jar;install.jar|com.quivrell.sample.Install|-s|C:\\T", ""},
        {"jrew.exe with the package's Swing archive", "bin\\jrew.exe", "jre", jrew, inPackage, false, false, "",
         "|jrew.exe|-classpath|swingall.jar;.;install.jar|com.quivrell.sample.Install", "added swing to classpath"},
        {"jrew.exe with the JVM's Swing archive, blanks; -q", "bin\\jrew.exe", "Java Home", jrew, inJvm, true, false,
         "C:\\Program Files\\App",
         "|jrew.exe|-classpath|@\\lib\\swingall.jar;.;install.jar|com.quivrell.sample.Install|-q|C:\\Program|Files\\App",
         "added swing to classpath"},
        {"jrew.exe without a Swing archive", "bin\\jrew.exe", "jre", jrew, none, false, false, "",
         "|jrew.exe|-classpath|.;install.jar|com.quivrell.sample.Install", "swing file does not exist @\\lib\\swingall.jar"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WizardRun run(c.launcher, c.control, c.home,
                      {"result=java.version=1.6.0_20", "wizard=start", "probe=__qivshow.sem,%CLASSPATH%"});
        const std::string& home = run.jvm.home;
        auto at = [&](std::string text) {
            for (std::size_t i = 0; (i = text.find('@', i)) != std::string::npos; i += home.size()) text.replace(i, 1, home);
            return text;
        };
        std::filesystem::create_directories(home + "\\lib");
        if (c.swing != none) writeFile(c.swing == inPackage ? "swingall.jar" : home + "\\lib\\swingall.jar", "PK");
        _putenv("CLASSPATH=C:\\bogus");
        EXPECT_TRUE(run.run(c.quiet, c.silent, c.argument));
        EXPECT_TRUE(run.boxes.empty());
        std::vector<Lines> calls = run.jvm.calls();
        ASSERT_EQ(calls.size(), 2u) << "the test class, then the wizard";
        std::string received;
        for (std::size_t i = 1; i < calls[1].size(); ++i) received += "|" + calls[1][i];
        EXPECT_EQ(received, at(c.received));
        Lines trace = readLogLines("jinstall.log"), swingLines;
        for (const std::string& line : trace)
            if (line.find("swing") != std::string::npos && line.rfind("java installer", 0) != 0) swingLines.push_back(line);
        EXPECT_EQ(swingLines, *c.swingTrace ? Lines{at(c.swingTrace)} : Lines{});
        EXPECT_TRUE(traced("jvm home dir " + home));
        const Lines ended{"java wizard execed with no reported errors", "Java wizard launched successfully"};
        EXPECT_NE(std::search(trace.begin(), trace.end(), ended.begin(), ended.end()), trace.end());
        EXPECT_FALSE(fileExists("__qivwizard.sem")) << "the marker is taken away after the JVM ended";
        EXPECT_FALSE(fileExists("__qivshow.sem"));
        // The test class's run first, then the wizard's.
        EXPECT_EQ(probes(run.jvm),
                  (Lines{"__qivshow.sem present", "%CLASSPATH% unset", "__qivshow.sem absent", "%CLASSPATH% unset"}));
    }
}

// Launches by themselves: CLASSPATH goes with the launch itself, a second launch passes the same vector,
// and every way a launch fails.
TEST(WizardLaunch, LaunchesAndTheirFailures)
{
    InstallRun run;
    FakeJvmHome jvm("jre", {"bin\\javaw.exe"}, {"exit=0", "probe=%CLASSPATH%"}); // ends without its marker
    writeFile("jinstall.log", "");
    _putenv("CLASSPATH=C:\\bogus");
    std::string path = jvm.home + "\\bin\\javaw.exe";
    char extra[] = "-Xmx64m -Dx=1", command[] = "M --verbose";
    auto launch = [&] {
        return run.installation->runJavaInstaller({path.c_str(), extra, "-cp", ".;install.jar", command, "C:\\T", false, true});
    };
    EXPECT_FALSE(launch());
    EXPECT_TRUE(jvm.calls().empty()) << "nothing is started without install.jar";
    writeFile("install.jar", "PK");
    EXPECT_FALSE(launch());
    EXPECT_FALSE(launch());
    EXPECT_EQ(probes(jvm), Lines(2, "%CLASSPATH% unset"));
    ASSERT_EQ(jvm.calls().size(), 2u);
    EXPECT_EQ(jvm.calls()[0], jvm.calls()[1]);
    EXPECT_EQ(extra + std::string("|") + command, "-Xmx64m -Dx=1|M --verbose");
    const std::string words = "javaw.exe -Xmx64m -Dx=1 -cp .;install.jar M --verbose -s C:\\T";
    Lines trace = readLogLines("jinstall.log");
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "java installer launch command: " + words), 2);
    path = run.native() + "\\nowhere\\javaw.exe";
    EXPECT_FALSE(launch());
    EXPECT_EQ(readLogLines("errors.log"),
              (Lines{"install.jar does not exist.", "Java wizard not started properly", "Java wizard not started properly",
                     "Error running JVM: File or path is not found: false", "Unable to start  \"" + path + "\" " + words}))
        << "exit code 0 without the marker is no success";
}

// Its box and its single launch are the launcher tests'; here the report.
TEST(WizardLaunch, FailedWizardWithAFoundJvmIsReported)
{
    WizardRun run("bin\\javaw.exe", "", "jre", {"result=1.6.0_20"}); // the wizard never starts properly
    EXPECT_FALSE(run.run());
    EXPECT_EQ(readLogLines("errors.log"), (Lines{"Java wizard not started properly", wizardNotStartedText,
                                                 std::string(otherCausesText) + "\n" + diskSpaceText}));
}
