// The wizard launch, with a fake JVM that records what it was started with.
#include "fakejvm.h"
#include "installrun.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

// A package whose registered JVM reports 1.6.0_20 and, run on any other class than the test class,
// starts like a wizard that works.
struct WizardRun : InstallRun {
    FakeJvmHome jvm;

    WizardRun(const char* launcher, const std::string& controlLines, const char* home = "jre",
              std::initializer_list<const char*> settings = {"result=java.version=1.6.0_20", "wizard=start"})
        : jvm(home, {launcher}, settings)
    {
        javaSoft.setString("JavaHome", jvm.home, "Java Runtime Environment\\1.6");
        writeFile("TestJvm.class", "");
        writeFile("install.jar", "PK");
        // A trace log of the user's own: it stays after a successful run, for the test to read.
        writeFile("jinstall.log", "");
        writeFile("qiv.control", "jvmRequiredVersion=1.6\r\njvmClasspathSwitch=-classpath\r\n"
                                 "loaderJavaCommand=com.quivrell.sample.Install\r\njvmCommandName=javaw.exe\r\n" +
                                     controlLines);
    }

    // The launch command of the trace: the argument vector as text.
    static Lines launchLines()
    {
        Lines launches;
        for (const std::string& line : readLogLines("jinstall.log"))
            if (line.rfind("java installer launch command: ", 0) == 0) launches.push_back(line.substr(31));
        return launches;
    }

    // What the wizard's JVM received (the test-class runs left out), without the current folder.
    std::vector<Lines> wizardStarts() const
    {
        std::vector<Lines> starts;
        for (Lines call : jvm.calls()) {
            if (std::find(call.begin(), call.end(), "TestJvm") != call.end()) continue;
            call.erase(call.begin());
            starts.push_back(call);
        }
        return starts;
    }

    static bool traced(const std::string& line)
    {
        Lines trace = readLogLines("jinstall.log");
        return std::find(trace.begin(), trace.end(), line) != trace.end();
    }
};

} // namespace

TEST(WizardLaunch, FoundJvmStartsTheWizardAndTheRunSucceeds)
{
    WizardRun run("bin\\javaw.exe", "");
    EXPECT_TRUE(run.run());
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_EQ(WizardRun::launchLines(),
              (Lines{"javaw.exe -classpath .;install.jar com.quivrell.sample.Install"}));
    ASSERT_EQ(run.wizardStarts().size(), 1u);
    Lines trace = readLogLines("jinstall.log");
    auto launched = std::find(trace.begin(), trace.end(), "Java wizard launched successfully");
    ASSERT_NE(launched, trace.end());
    ASSERT_NE(launched, trace.begin());
    EXPECT_EQ(*(launched - 1), "java wizard execed with no reported errors");
    EXPECT_FALSE(fileExists("__qivwizard.sem")) << "the marker is taken away after the JVM ended";
    EXPECT_FALSE(fileExists("__qivshow.sem"));
}

TEST(WizardLaunch, SwingArchiveForLaunchersWithoutJavaInTheirName)
{
    {
        SCOPED_TRACE("jrew.exe with the package's own swingall.jar");
        WizardRun run("bin\\jrew.exe", "jvmCommandName=jrew.exe\r\nloaderClasspath=swingall.jar;.;install.jar\r\n");
        writeFile("swingall.jar", "PK");
        EXPECT_TRUE(run.run());
        EXPECT_EQ(WizardRun::launchLines(),
                  (Lines{"jrew.exe -classpath swingall.jar;.;install.jar com.quivrell.sample.Install"}));
        EXPECT_TRUE(WizardRun::traced("added swing to classpath"));
    }
    {
        SCOPED_TRACE("jrew.exe with the JVM's swingall.jar, in a home with a blank");
        WizardRun run("bin\\jrew.exe", "jvmCommandName=jrew.exe\r\nloaderClasspath=swingall.jar;.;install.jar\r\n",
                      "Java Home");
        fs::create_directories(run.jvm.home + "\\lib");
        writeFile(run.jvm.home + "\\lib\\swingall.jar", "PK");
        EXPECT_TRUE(run.run());
        EXPECT_EQ(WizardRun::launchLines(),
                  (Lines{"jrew.exe -classpath \"" + run.jvm.home +
                         "\\lib\\swingall.jar\";.;install.jar com.quivrell.sample.Install"}));
        ASSERT_EQ(run.wizardStarts().size(), 1u);
        EXPECT_EQ(run.wizardStarts()[0][2], run.jvm.home + "\\lib\\swingall.jar;.;install.jar");
    }
    {
        SCOPED_TRACE("jrew.exe without any swingall.jar");
        WizardRun run("bin\\jrew.exe", "jvmCommandName=jrew.exe\r\nloaderClasspath=swingall.jar;.;install.jar\r\n");
        EXPECT_TRUE(run.run());
        EXPECT_EQ(WizardRun::launchLines(), (Lines{"jrew.exe -classpath .;install.jar com.quivrell.sample.Install"}));
        EXPECT_TRUE(WizardRun::traced("swing file does not exist " + run.jvm.home + "\\lib\\swingall.jar"));
    }
    {
        SCOPED_TRACE("javaw.exe drops it without a word");
        WizardRun run("bin\\javaw.exe", "loaderClasspath=swingall.jar;.;install.jar\r\n");
        writeFile("swingall.jar", "PK");
        EXPECT_TRUE(run.run());
        EXPECT_EQ(WizardRun::launchLines(),
                  (Lines{"javaw.exe -classpath .;install.jar com.quivrell.sample.Install"}));
        for (const std::string& line : readLogLines("jinstall.log")) EXPECT_EQ(line.find("swing"), std::string::npos);
    }
}

TEST(WizardLaunch, ElementsWithBlanksAndDoubleBlanksInTheOptions)
{
    WizardRun run("bin\\javaw.exe", "loaderClasspath=.;C:\\My Libs\\a.jar;install.jar\r\n"
                                    "jvmExtraParameters=-Xmx64m  -Dq=1\r\n");
    EXPECT_TRUE(run.run());
    EXPECT_EQ(WizardRun::launchLines(),
              (Lines{"javaw.exe -Xmx64m  -Dq=1 -classpath .;\"C:\\My Libs\\a.jar\";install.jar "
                     "com.quivrell.sample.Install"}));
    ASSERT_EQ(run.wizardStarts().size(), 1u);
    // The empty option vanishes on the command line that carries the vector; the quotes group the blank.
    EXPECT_EQ(run.wizardStarts()[0], (Lines{"javaw.exe", "-Xmx64m", "-Dq=1", "-classpath",
                                            ".;C:\\My Libs\\a.jar;install.jar", "com.quivrell.sample.Install"}));
}

TEST(WizardLaunch, SwitchesAndTheWizardArgument)
{
    struct Case {
        bool quiet, silent;
        const char* argument;
        const char* tail;  // what the launch command ends with after the loader command
        Lines received;    // what the wizard's JVM received after its class
    } cases[] = {
        {true, true, "C:\\Target", " -q C:\\Target", {"-q", "C:\\Target"}},
        {false, true, "C:\\Target", " -s C:\\Target", {"-s", "C:\\Target"}},
        {true, false, "", "", {}},
        {false, false, "C:\\Target", "", {}},
        {true, false, "C:\\Program Files\\App", " -q \"C:\\Program Files\\App\"", {"-q", "C:\\Program", "Files\\App"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.quiet ? "-q " : "") + (c.silent ? "-s " : "") + c.argument);
        WizardRun run("bin\\javaw.exe", "");
        EXPECT_TRUE(run.run(c.quiet, c.silent, c.argument));
        EXPECT_EQ(WizardRun::launchLines(),
                  (Lines{std::string("javaw.exe -classpath .;install.jar com.quivrell.sample.Install") + c.tail}));
        std::vector<Lines> starts = run.wizardStarts();
        ASSERT_EQ(starts.size(), 1u);
        Lines received(starts[0].begin() + 4, starts[0].end());
        EXPECT_EQ(received, c.received);
    }
}

TEST(WizardLaunch, SecondLaunchPassesTheSameVector)
{
    InstallRun run;
    FakeJvmHome jvm("jre", {"bin\\javaw.exe"}, {"wizard=start"});
    writeFile("install.jar", "PK");
    writeFile("jinstall.log", "");
    std::string path = jvm.home + "\\bin\\javaw.exe";
    char extra[] = "-Xmx64m -Dx=1", command[] = "com.quivrell.sample.Install --verbose";
    const WizardCommand wizard = {path.c_str(), extra, "-cp", ".;install.jar", command, "C:\\Target", false, true};
    EXPECT_TRUE(run.installation->runJavaInstaller(wizard));
    EXPECT_TRUE(run.installation->runJavaInstaller(wizard));
    Lines launches = WizardRun::launchLines();
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(launches[0], launches[1]);
    EXPECT_STREQ(extra, "-Xmx64m -Dx=1");
    EXPECT_STREQ(command, "com.quivrell.sample.Install --verbose");
    ASSERT_EQ(jvm.calls().size(), 2u);
    EXPECT_EQ(jvm.calls()[0], jvm.calls()[1]);
}

TEST(WizardLaunch, StatusMarkerGoesAndClasspathIsRemovedBeforeTheWizardStarts)
{
    WizardRun run("bin\\javaw.exe", "", "jre",
                  {"result=1.6.0_20", "wizard=start", "probe=__qivshow.sem,%CLASSPATH%"});
    _putenv("CLASSPATH=C:\\bogus");
    EXPECT_TRUE(run.run());
    // The test class's run first, then the wizard's.
    EXPECT_EQ(probes(run.jvm), (Lines{"__qivshow.sem present", "%CLASSPATH% unset", "__qivshow.sem absent",
                                      "%CLASSPATH% unset"}));
}

TEST(WizardLaunch, ClasspathIsRemovedByTheLaunchItself)
{
    InstallRun run;
    FakeJvmHome jvm("jre", {"bin\\javaw.exe"}, {"wizard=start", "probe=%CLASSPATH%"});
    writeFile("install.jar", "PK");
    _putenv("CLASSPATH=C:\\bogus");
    std::string path = jvm.home + "\\bin\\javaw.exe";
    EXPECT_TRUE(run.installation->runJavaInstaller({path.c_str(), "", "-cp", ".;install.jar", "M", "", false, false}));
    EXPECT_EQ(probes(jvm), (Lines{"%CLASSPATH% unset"}));
}

TEST(WizardLaunch, FailuresOfTheLaunch)
{
    InstallRun run;
    FakeJvmHome jvm("jre", {"bin\\javaw.exe"}, {"exit=0"}); // ends without its marker
    writeFile("jinstall.log", "");
    std::string path = jvm.home + "\\bin\\javaw.exe";
    auto launch = [&] {
        return run.installation->runJavaInstaller({path.c_str(), "", "-cp", ".;install.jar", "M", "", false, false});
    };

    EXPECT_FALSE(launch());
    EXPECT_TRUE(jvm.calls().empty()) << "nothing is started without install.jar";
    EXPECT_EQ(readLogLines("errors.log"), (Lines{"install.jar does not exist."}));

    writeFile("install.jar", "PK");
    EXPECT_FALSE(launch());
    EXPECT_EQ(jvm.calls().size(), 1u);
    EXPECT_EQ(readLogLines("errors.log").back(), "Java wizard not started properly") << "exit code 0 is no success";

    std::string missing = run.native() + "\\nowhere\\javaw.exe";
    path = missing;
    EXPECT_FALSE(launch());
    Lines errors = readLogLines("errors.log");
    ASSERT_EQ(errors.size(), 4u);
    EXPECT_EQ(errors[2], "Error running JVM: File or path is not found: false");
    EXPECT_EQ(errors[3], "Unable to start  \"" + missing + "\" javaw.exe -cp .;install.jar M");
}

TEST(WizardLaunch, FailedWizardWithAFoundJvmTriesThePackagesJvmThenReports)
{
    WizardRun run("bin\\javaw.exe", "", "jre", {"result=1.6.0_20"}); // the wizard never starts properly
    EXPECT_FALSE(run.run());
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].text, std::string(wizardNotStartedText) + englishSuffix());
    Lines errors = readLogLines("errors.log");
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[0], "Java wizard not started properly");
    EXPECT_EQ(errors[1], wizardNotStartedText);
    EXPECT_EQ(errors[2], std::string(otherCausesText) + "\n" + diskSpaceText);
    EXPECT_EQ(run.wizardStarts().size(), 1u) << "the package has no JVM of its own: no second launch";
}
