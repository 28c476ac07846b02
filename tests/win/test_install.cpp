#include "installrun.h"

#include <cstring>

// Every end before the wizard: one box per message, the report in errors.log, the whole trace log. A
// log of the run's own ends with the verdict; a log of the user's gets the opening lines instead.
TEST(InstallSequence, FailuresBeforeTheWizardAreReported)
{
    const char* const home = "got home directory from SystemRoot"; // as a fresh Wine prefix has it
    const std::string general = std::string("Unable to install application.\r\r") + diskSpaceText;
    const std::string notFound = "The correct version of the JRE was not found on your system.";
    const std::string missing = "Unable to find JRE 1.4 - 1.6 on your system.";
    const std::string later = "Please install JRE 1.4 or a later version and then restart this installation program.";
    const Lines search{"unable to find a compatible Jvm", "JRE registry entry had correct jvm info: false",
                       "unable to find a compatible Jvm", "JDK registry entry had correct jvm info: false",
                       "unable to find a compatible Jvm", "Java Plugin registry entry had correct jvm info: false",
                       "Correct version of JVM was not found in common locations"};
    // control null: no control file; the trace goes on after traceHead with the search, the report, the verdict
    struct Case { const char *what, *control; bool usersLog, searched; Lines boxes, errors, traceHead; } cases[] = {
        {"no JVM anywhere; the required version wins", "jvmRequiredVersion=1.4\r\njvmMinVersion=1.3\r\njvmMaxVersion=1.6\r\n",
         false, true, {notFound}, {notFound, "Please install JRE 1.4 and then restart this installation program."},
         {home, "Valid version of jrew.exe: 1.4"}},
        {"package JVM missing on disk, a log of the user's with the console launcher",
         "jvmMinVersion=1.4\r\njvmMaxVersion=1.6\r\njvmSelfExtractor=jre-setup.exe\r\n", true, true, {missing},
         {missing, "Please install the JVM and re-start this installer."},
         {"", "Preparing Java install wizard", home, "Valid versions of jre.exe: 1.4 through 1.6"}},
        {"search off: No", "jvmMinVersion=1.4\r\nsearchForJvm=No\r\n", false, false, {notFound}, {notFound, later},
         {home, "Valid versions of jrew.exe: 1.4 through ", "Search for JVM: No"}},
        {"search off: nOnE", "jvmMinVersion=1.4\r\nsearchForJvm=nOnE\r\n", false, false, {notFound}, {notFound, later},
         {home, "Valid versions of jrew.exe: 1.4 through ", "Search for JVM: nOnE"}},
        {"unreadable control file: the reader's box alone", nullptr, false, false, {"Unable to open qiv.control"},
         {"Unable to open qiv.control", "unable to get parameters", general, otherCausesText},
         {home, "unable to get parameters"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InstallRun run;
        if (c.usersLog) writeFile("jinstall.log", "");
        if (c.control) writeFile("qiv.control", std::string(c.control) + "jvmName=JRE\r\n");
        EXPECT_FALSE(run.run());
        Lines boxes, expected, trace = c.traceHead;
        for (const CaughtBox& box : run.boxes) boxes.push_back(box.title + ": " + box.text);
        for (const std::string& text : c.boxes) expected.push_back("Quivrell Installer: Error: " + text + englishSuffix());
        EXPECT_EQ(boxes, expected);
        EXPECT_EQ(readLogLines("errors.log"), c.errors);
        if (c.searched) trace.insert(trace.end(), search.begin(), search.end());
        trace.insert(trace.end(), c.errors.end() - 2, c.errors.end());
        if (!c.usersLog) trace.push_back("install ok: false");
        EXPECT_EQ(readLogLines("jinstall.log"), trace);
        EXPECT_FALSE(fileExists("__qivshow.sem")) << "the status window goes at the end of every run";
        EXPECT_FALSE(fileExists("jinstall.sem"));
    }
}

// What the JVM installation itself traces and fails with is its own tests'; here the messages of the run.
TEST(InstallTheJvm, PackageJvmThatCannotBeInstalled)
{
    InstallRun run;
    writeFile("jre-setup.exe", "MZ"); // no program at all: it cannot be started
    writeFile("jinstall.log", "");
    char command[launcherNameSize] = "jrew.exe", installDir[valueSize], homeDir[pathSize] = "";
    std::strcpy(installDir, (run.native() + "\\jre").c_str());
    const JvmRequest request{{"1.4", "", ""}, "1.4.2_05", "JRE", command, "jre-setup.exe", installDir, homeDir};
    EXPECT_FALSE(run.installation->installTheJvm(request));
    EXPECT_EQ(run.installation->getErrorMessage() + std::string("|") + run.installation->getErrorDetail(),
              std::string("Unable to install JRE 1.4.2_05. ") + diskSpaceText + "|" + otherCausesText);
    EXPECT_EQ(readLogLines("jinstall.log").at(0), "attempting to install jvm 1.4.2_05");
}

// A found JVM's record is the launcher tests'.
TEST(LogJvmLocation, RecordsWhereTheJvmIsAndHowItCame)
{
    struct Case { bool installed; const char* predefined; bool configure; const char* tail; } cases[] = {
        {false, "[$AppDir]\\jre", false, "Installed=false\r\nnativeJvmInstalledInTemp=false\r\nconfigureWinRegistry=false\r\n"},
        {true, "C:\\Apps\\jre", true, "Installed=true\r\nnativeJvmInstalledInTemp=false\r\nconfigureWinRegistry=true\r\n"},
        {true, "[$AppDir]\\jre", false, "Installed=true\r\nnativeJvmInstalledInTemp=true\r\nconfigureWinRegistry=false\r\n"},
        {true, "", true, "Installed=true\r\nconfigureWinRegistry=true\r\n"},
    };
    for (const Case& c : cases) {
        InstallRun run;
        writeFile("native.properties", "stale=1\r\n");
        run.installation->logJvmLocation(c.installed, "C:\\Program Files\\Java\\jre6", c.predefined, c.configure);
        EXPECT_EQ(readFile("native.properties"), "nativeJvmHomeDir=C:/Program Files/Java/jre6\r\nnativeJvm" + std::string(c.tail));
    }
}

// The lookup itself is the single-key lookup's; here its default, its fallback file and its trace.
TEST(ConfigureWinReg, ControlFileThenNativePropertiesThenTrue)
{
    struct Case { const char *control, *properties; bool configure; Lines trace; } cases[] = { // null: no such file
        {"jvmName=JRE\r\n", "configureWinRegistry=false\r\n", true, {}},
        {"configureWinRegistry=no\r\n", nullptr, false, {"configureWinRegistry=no", "configureWinRegistry: false"}},
        {"configureWinRegistry=YES\r\n", nullptr, true, {"configureWinRegistry=YES", "configureWinRegistry: true"}},
        {nullptr, "configureWinRegistry=false\r\n", false, {"configureWinRegistry=false", "configureWinRegistry: false"}},
        {nullptr, nullptr, true, {"unable to open qiv.control file defaulting to configure registry"}},
    };
    for (const Case& c : cases) {
        InstallRun run;
        writeFile("jinstall.log", "");
        if (c.control) writeFile("qiv.control", c.control);
        if (c.properties) writeFile("native.properties", c.properties);
        EXPECT_EQ(run.installation->configureWinReg(), c.configure) << (c.control ? c.control : c.properties);
        EXPECT_EQ(readLogLines("jinstall.log"), c.trace);
    }
}
