// Whole installation runs in the test process: the failures before the wizard, the Windows directory
// the run finds, and the wizard launch with a fake JVM that records what it was started with.
#include "installrun.h"

// Ends before the wizard: one box per failure, the report in errors.log, the trace log closed by the verdict.
TEST(InstallSequence, FailuresBeforeTheWizardAreReported)
{
    const std::string notFound = "The correct version of the JRE was not found on your system.";
    const std::string later = "Please install JRE 1.4 or a later version and then restart this installation program.";
    const std::string general = std::string("Unable to install application.\r\r") + diskSpaceText;
    struct Case { const char *what, *control; bool searched; std::string box; Lines errors; } cases[] = { // null: no file
        {"no JVM anywhere", "jvmRequiredVersion=1.4\r\n", true, notFound,
         {notFound, "Please install JRE 1.4 and then restart this installation program."}},
        {"search off, in any case", "jvmMinVersion=1.4\r\nsearchForJvm=nOnE\r\n", false, notFound, {notFound, later}},
        {"unreadable control file: the reader's box alone", nullptr, false, "Unable to open qiv.control",
         {"Unable to open qiv.control", "unable to get parameters", general, otherCausesText}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InstallRun run;
        if (c.control) writeFile("qiv.control", std::string(c.control) + "jvmName=JRE\r\n");
        EXPECT_FALSE(run.run());
        ASSERT_EQ(run.boxes.size(), 1u);
        EXPECT_EQ(run.boxes[0].text, c.box + "\n\nSee errors.log and jinstall.log files for details.");
        EXPECT_EQ(readLogLines("errors.log"), c.errors);
        EXPECT_EQ(traced("Correct version of JVM was not found in common locations"), c.searched);
        Lines trace = readLogLines("jinstall.log");
        EXPECT_EQ(trace.empty() ? "" : trace.back(), "install ok: false");
        EXPECT_FALSE(fileExists("__qivshow.sem")) << "the status window goes at the end of every run";
    }
}

// The Windows directory from the registry sources in order, then PATH (the library matches), then the current folder.
TEST(WindowsDirectory, RegistrySourcesThenPathThenTheCurrentFolder)
{
    const char* const ntKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    struct Case { const char *what, *systemRoot, *pathName, *setupWinDir, *dir; Lines trace; } cases[] = {
        // null: no such value; "@": the package folder
        {"SystemRoot as stored", "C:\\WINNT", nullptr, nullptr, "C:\\WINNT", {"got home directory from SystemRoot"}},
        {"PathName before Setup WinDir", "", "D:\\WinPath", "E:\\Setup", "D:\\WinPath", {"got home directory from PathName"}},
        {"Setup WinDir last", "", nullptr, "E:\\Setup", "E:\\Setup", {"got home directory from Setup WinDir"}},
        {"current folder when all else fails", "", nullptr, nullptr, "@",
         {"unable to get windows directory from registry", "unable to get windows directory"}},
    };
    ASSERT_FALSE(fileExists("c:\\winnt")) << "the guess would find it";
    const std::string savedPath = std::getenv("PATH");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InstallRun run;
        ScopedRegValue systemRoot{HKEY_LOCAL_MACHINE, ntKey, "SystemRoot"}, pathName{HKEY_LOCAL_MACHINE, ntKey, "PathName"},
            winDir{HKEY_LOCAL_MACHINE, ntKey, "WinDir"}, setup{HKEY_LOCAL_MACHINE, std::string(ntKey) + "\\SETUP", "WinDir"};
        systemRoot.setString(c.systemRoot);
        winDir.remove();
        for (auto value : {std::make_pair(&pathName, c.pathName), std::make_pair(&setup, c.setupWinDir)})
            value.second ? value.first->setString(value.second) : value.first->remove();
        _putenv_s("PATH", "C:\\nowhere\\system32;C:\\nowhere");
        writeFile("jinstall.log", "");
        EXPECT_TRUE(run.installation->getEnvironmentSetup());
        _putenv_s("PATH", savedPath.c_str());
        EXPECT_EQ(std::string(run.installation->getHomeDirectoryValue()), *c.dir == '@' ? run.native() : c.dir);
        EXPECT_EQ(readLogLines("jinstall.log"), c.trace);
    }
}

// The wizard's JVM gets the whole vector (Swing from the JVM's home), no CLASSPATH, and the status window goes first;
// the launch alone has no success without install.jar, without the wizard's marker, or without a JVM that starts.
TEST(WizardLaunch, FoundJvmStartsTheWizardAndTheLaunchFailures)
{
    InstallRun run;
    FakeJvmHome jvm("Java Home", {"bin\\jrew.exe"},
                    {"result=java.version=1.6.0_20", "wizard=start", "probe=__qivshow.sem,%CLASSPATH%"});
    run.javaSoft.setString("JavaHome", jvm.home, "Java Runtime Environment\\1.6");
    std::filesystem::create_directories(jvm.home + "\\lib");
    writeFile(jvm.home + "\\lib\\swingall.jar", "PK");
    for (const char* file : {"TestJvm.class", "install.jar"}) writeFile(file, "PK");
    writeFile("jinstall.log", ""); // a log of the user's: it stays after a successful run
    writeFile("qiv.control", "jvmRequiredVersion=1.6\r\njvmClasspathSwitch=-classpath\r\nloaderJavaCommand=M\r\n"
                             "jvmCommandName=jrew.exe\r\nloaderClasspath=swingall.jar;.;install.jar\r\n"
                             "jvmExtraParameters=-Xmx64m  -Dq=1\r\n");
    _putenv("CLASSPATH=C:\\bogus");
    EXPECT_TRUE(run.run(false, true, "C:\\Program Files\\App"));
    EXPECT_TRUE(run.boxes.empty());
    std::vector<Lines> calls = jvm.calls();
    ASSERT_EQ(calls.size(), 2u) << "the test class, then the wizard";
    Lines wizard{"jrew.exe", "-Xmx64m", "-Dq=1", "-classpath", jvm.home + "\\lib\\swingall.jar;.;install.jar", "M",
                 "-s", "C:\\Program", "Files\\App"};
    EXPECT_EQ(Lines(calls[1].begin() + 1, calls[1].end()), wizard);
    EXPECT_FALSE(fileExists("__qivwizard.sem")) << "the marker is taken away after the JVM ended";
    EXPECT_EQ(probes(jvm),
              (Lines{"__qivshow.sem present", "%CLASSPATH% unset", "__qivshow.sem absent", "%CLASSPATH% unset"}));

    FakeJvmHome markerless("jre", {"bin\\javaw.exe"}, {"exit=0", "probe=%CLASSPATH%"});
    _putenv("CLASSPATH=C:\\bogus");
    std::filesystem::remove("install.jar");
    std::string path = markerless.home + "\\bin\\javaw.exe";
    char extra[] = "-Xmx64m", command[] = "M";
    auto launch = [&] { return run.installation->runJavaInstaller({path.c_str(), extra, "-cp", ".;install.jar", command,
                                                                   "C:\\T", false, true}); };
    EXPECT_FALSE(launch());
    EXPECT_TRUE(markerless.calls().empty()) << "nothing is started without install.jar";
    writeFile("install.jar", "PK");
    EXPECT_FALSE(launch());
    EXPECT_EQ(probes(markerless), Lines{"%CLASSPATH% unset"}) << "CLASSPATH goes with the launch itself";
    path = run.native() + "\\nowhere\\javaw.exe";
    EXPECT_FALSE(launch());
    EXPECT_EQ(readLogLines("errors.log"),
              (Lines{"install.jar does not exist.", "Java wizard not started properly",
                     "Error running JVM: File or path is not found: false",
                     "Unable to start  \"" + path + "\" javaw.exe -Xmx64m -cp .;install.jar M -s C:\\T"}));
}
