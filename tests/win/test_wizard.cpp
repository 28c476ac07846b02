// The wizard launch, with a fake JVM that records what it was started with.
#include "fakejvm.h"
#include "installrun.h"

#include <cstdlib>

// Whole runs with a found JVM: the vector as the wizard's JVM received it (options, the Swing archive found
// in the JVM's home, switches, an argument with a blank), CLASSPATH gone and the status window down first.
TEST(WizardLaunch, FoundJvmStartsTheWizard)
{
    struct Case { const char *what, *launcher, *control; bool quiet, silent; const char *argument, *received; } cases[] = {
        {"javaw.exe: options with a double blank; -s", "bin\\javaw.exe",
         "jvmCommandName=javaw.exe\r\nloaderClasspath=.;C:\\My Libs\\a.jar;install.jar\r\n"
         "jvmExtraParameters=-Xmx64m  -Dq=1\r\n",
         false, true, "C:\\T", "|javaw.exe|-Xmx64m|-Dq=1|-classpath|.;C:\\My Libs\\a.jar;install.jar|M|-s|C:\\T"},
        {"jrew.exe with the JVM's Swing archive; -q", "bin\\jrew.exe",
         "jvmCommandName=jrew.exe\r\nloaderClasspath=swingall.jar;.;install.jar\r\n", true, false, "C:\\Program Files\\App",
         "|jrew.exe|-classpath|@\\lib\\swingall.jar;.;install.jar|M|-q|C:\\Program|Files\\App"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InstallRun run;
        FakeJvmHome jvm("Java Home", {c.launcher},
                        {"result=java.version=1.6.0_20", "wizard=start", "probe=__qivshow.sem,%CLASSPATH%"});
        run.javaSoft.setString("JavaHome", jvm.home, "Java Runtime Environment\\1.6");
        std::filesystem::create_directories(jvm.home + "\\lib");
        writeFile(jvm.home + "\\lib\\swingall.jar", "PK");
        for (const char* file : {"TestJvm.class", "install.jar"}) writeFile(file, "PK");
        writeFile("jinstall.log", ""); // a log of the user's: it stays after a successful run
        writeFile("qiv.control", "jvmRequiredVersion=1.6\r\njvmClasspathSwitch=-classpath\r\nloaderJavaCommand=M\r\n" +
                                     std::string(c.control));
        _putenv("CLASSPATH=C:\\bogus");
        EXPECT_TRUE(run.run(c.quiet, c.silent, c.argument));
        EXPECT_TRUE(run.boxes.empty());
        std::vector<Lines> calls = jvm.calls();
        ASSERT_EQ(calls.size(), 2u) << "the test class, then the wizard";
        std::string received, expected = c.received;
        for (std::size_t i = 1; i < calls[1].size(); ++i) received += "|" + calls[1][i];
        if (expected.find('@') != std::string::npos) expected.replace(expected.find('@'), 1, jvm.home);
        EXPECT_EQ(received, expected);
        EXPECT_FALSE(fileExists("__qivwizard.sem")) << "the marker is taken away after the JVM ended";
        EXPECT_EQ(probes(jvm),
                  (Lines{"__qivshow.sem present", "%CLASSPATH% unset", "__qivshow.sem absent", "%CLASSPATH% unset"}));
    }
}

// Launches by themselves: nothing starts without install.jar; a JVM that ends without the wizard's marker,
// or cannot be started, is no success.
TEST(WizardLaunch, LaunchesAndTheirFailures)
{
    InstallRun run;
    FakeJvmHome jvm("jre", {"bin\\javaw.exe"}, {"exit=0", "probe=%CLASSPATH%"});
    writeFile("jinstall.log", "");
    _putenv("CLASSPATH=C:\\bogus");
    std::string path = jvm.home + "\\bin\\javaw.exe";
    char extra[] = "-Xmx64m", command[] = "M";
    auto launch = [&] { return run.installation->runJavaInstaller({path.c_str(), extra, "-cp", ".;install.jar", command,
                                                                   "C:\\T", false, true}); };
    EXPECT_FALSE(launch());
    EXPECT_TRUE(jvm.calls().empty()) << "nothing is started without install.jar";
    writeFile("install.jar", "PK");
    EXPECT_FALSE(launch());
    EXPECT_EQ(probes(jvm), Lines{"%CLASSPATH% unset"}) << "CLASSPATH goes with the launch itself";
    path = run.native() + "\\nowhere\\javaw.exe";
    EXPECT_FALSE(launch());
    EXPECT_EQ(readLogLines("errors.log"),
              (Lines{"install.jar does not exist.", "Java wizard not started properly",
                     "Error running JVM: File or path is not found: false",
                     "Unable to start  \"" + path + "\" javaw.exe -Xmx64m -cp .;install.jar M -s C:\\T"}));
}
