#include "installrun.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

using Lines = std::vector<std::string>;

namespace {
// What a fresh Wine prefix reports as the Windows directory, as the first trace line of every run.
const char* const homeLine = "got home directory from SystemRoot";
} // namespace

TEST(InstallSequence, NoJvmAndNoPackageJvmEndsInTheNotFoundReport)
{
    InstallRun run;
    writeFile("qiv.control", "jvmRequiredVersion=1.4\r\njvmName=JRE\r\n");
    EXPECT_FALSE(run.run());

    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].title, "Quivrell Installer: Error");
    EXPECT_EQ(run.boxes[0].text, std::string("The correct version of the JRE was not found on your system.") +
                                     englishSuffix());
    Lines report{"The correct version of the JRE was not found on your system.",
                 "Please install JRE 1.4 and then restart this installation program."};
    {
        SCOPED_TRACE("errors.log");
        EXPECT_EQ(readLogLines("errors.log"), report);
    }
    SCOPED_TRACE("jinstall.log");
    Lines trace{homeLine,
                "Valid version of jrew.exe: 1.4",
                "unable to find a compatible Jvm",
                "JRE registry entry had correct jvm info: false",
                "unable to find a compatible Jvm",
                "JDK registry entry had correct jvm info: false",
                "unable to find a compatible Jvm",
                "Java Plugin registry entry had correct jvm info: false",
                "Correct version of JVM was not found in common locations"};
    trace.insert(trace.end(), report.begin(), report.end());
    trace.push_back("install ok: false"); // the cleanup ends a failed run's own log so
    EXPECT_EQ(readLogLines("jinstall.log"), trace);
    EXPECT_FALSE(fileExists("__qivshow.sem")) << "the status window goes at the end of every run";
    EXPECT_FALSE(fileExists("jinstall.sem"));
}

TEST(InstallSequence, PackageJvmThatIsMissingOnDisk)
{
    InstallRun run;
    writeFile("qiv.control", "jvmMinVersion=1.4\r\njvmMaxVersion=1.6\r\njvmSelfExtractor=jre-setup.exe\r\n");
    EXPECT_FALSE(run.run());
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].text, std::string("Unable to find JRE 1.4 - 1.6 on your system.") + englishSuffix());
    SCOPED_TRACE("errors.log");
    EXPECT_EQ(readLogLines("errors.log"),
              (Lines{"Unable to find JRE 1.4 - 1.6 on your system.", "Please install the JVM and re-start this installer."}));
}

TEST(InstallSequence, SearchSwitchedOffGoesStraightToTheInstallation)
{
    for (const char* value : {"NONE", "No", "nOnE"}) {
        SCOPED_TRACE(value);
        InstallRun run;
        writeFile("qiv.control", std::string("jvmMinVersion=1.4\r\nsearchForJvm=") + value + "\r\n");
        EXPECT_FALSE(run.run());
        ASSERT_EQ(run.boxes.size(), 1u);
        Lines trace = readLogLines("jinstall.log");
        ASSERT_GE(trace.size(), 4u);
        EXPECT_EQ(trace[2], std::string("Search for JVM: ") + value);
        EXPECT_EQ(trace[3], "The correct version of the JRE was not found on your system.");
        EXPECT_EQ(readLogLines("errors.log")[1],
                  "Please install JRE 1.4 or a later version and then restart this installation program.");
    }
}

TEST(InstallSequence, UnreadableControlFileGivesTwoBoxesAndTheGeneralReport)
{
    InstallRun run;
    EXPECT_FALSE(run.run());
    const std::string general = std::string("Unable to install application.\r\r") + diskSpaceText;
    ASSERT_EQ(run.boxes.size(), 2u);
    EXPECT_EQ(run.boxes[0].text, std::string("Unable to open qiv.control") + englishSuffix());
    EXPECT_EQ(run.boxes[1].text, general + englishSuffix());
    {
        SCOPED_TRACE("errors.log");
        EXPECT_EQ(readLogLines("errors.log"),
                  (Lines{"Unable to open qiv.control", "unable to get parameters", general, otherCausesText}));
    }
    SCOPED_TRACE("jinstall.log");
    EXPECT_EQ(readLogLines("jinstall.log"),
              (Lines{homeLine, "unable to get parameters", general, otherCausesText, "install ok: false"}));
}

TEST(InstallSequence, TraceLogOfTheUserGetsTheOpeningLines)
{
    InstallRun run;
    writeFile("jinstall.log", "");
    writeFile("qiv.control", "jvmRequiredVersion=1.4\r\n");
    EXPECT_FALSE(run.run());
    EXPECT_FALSE(fileExists("jinstall.sem")) << "the log was not made by this run";
    Lines trace = readLogLines("jinstall.log");
    ASSERT_GE(trace.size(), 4u);
    EXPECT_EQ(trace[0], "");
    EXPECT_EQ(trace[1], "Preparing Java install wizard");
    EXPECT_EQ(trace[2], homeLine);
    EXPECT_EQ(trace[3], "Valid version of jre.exe: 1.4") << "a log of the user's keeps the console launcher";
}

TEST(InstallTheJvm, VersionTextOfTheMessages)
{
    struct Case {
        const char *required, *min, *max, *text;
    } cases[] = {
        {"1.5", "1.4", "1.6", "1.5"},
        {"", "1.4", "1.6", "1.4 - 1.6"},
        {"", "1.4", "", "1.4 or a later version"},
    };
    for (const Case& c : cases) {
        InstallRun run;
        char command[launcherNameSize] = "java.exe", installDir[valueSize] = "", homeDir[pathSize] = "";
        const JvmRequest request = {{c.required, c.min, c.max}, "1.5.0", "JRE", command, "", installDir, homeDir};
        EXPECT_FALSE(run.installation->installTheJvm(request));
        EXPECT_EQ(std::string(run.installation->getErrorDetail()),
                  std::string("Please install JRE ") + c.text + " and then restart this installation program.");
    }
}

TEST(InstallTheJvm, PackageJvmThatCannotBeInstalled)
{
    InstallRun run;
    writeFile("jre-setup.exe", "MZ"); // no program at all: it cannot be started
    char command[launcherNameSize] = "jrew.exe", installDir[valueSize], homeDir[pathSize] = "";
    std::strcpy(installDir, (run.native() + "\\jre").c_str());
    const JvmRequest request = {{"1.4", "", ""}, "1.4.2_05", "JRE", command, "jre-setup.exe", installDir, homeDir};
    writeFile("jinstall.log", "");
    EXPECT_FALSE(run.installation->installTheJvm(request));
    EXPECT_EQ(std::string(run.installation->getErrorMessage()),
              std::string("Unable to install JRE 1.4.2_05. ") + diskSpaceText);
    EXPECT_STREQ(run.installation->getErrorDetail(), otherCausesText);
    Lines trace = readLogLines("jinstall.log");
    ASSERT_GE(trace.size(), 2u);
    EXPECT_EQ(trace.front(), "attempting to install jvm 1.4.2_05");
    EXPECT_EQ(trace.back(), "installJvm ok: false");
}

TEST(LogJvmLocation, RecordsWhereTheJvmIsAndHowItCame)
{
    struct Case {
        const char* what;
        bool installed;
        const char* predefined;
        bool configure;
        const char* file;
    } cases[] = {
        {"found", false, "", true,
         "nativeJvmHomeDir=C:/Program Files/Java/jre6\r\nnativeJvmInstalled=false\r\n"
         "nativeJvmInstalledInTemp=false\r\nconfigureWinRegistry=true\r\n"},
        {"installed in place", true, "C:\\Apps\\jre", false,
         "nativeJvmHomeDir=C:/Program Files/Java/jre6\r\nnativeJvmInstalled=true\r\n"
         "nativeJvmInstalledInTemp=false\r\nconfigureWinRegistry=false\r\n"},
        {"installed in the package folder", true, "[$AppDir]\\jre", true,
         "nativeJvmHomeDir=C:/Program Files/Java/jre6\r\nnativeJvmInstalled=true\r\n"
         "nativeJvmInstalledInTemp=true\r\nconfigureWinRegistry=true\r\n"},
        {"installed without a predefined folder", true, "", true,
         "nativeJvmHomeDir=C:/Program Files/Java/jre6\r\nnativeJvmInstalled=true\r\nconfigureWinRegistry=true\r\n"},
        {"found already in place by the installation", false, "[$AppDir]\\jre", true,
         "nativeJvmHomeDir=C:/Program Files/Java/jre6\r\nnativeJvmInstalled=false\r\n"
         "nativeJvmInstalledInTemp=false\r\nconfigureWinRegistry=true\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InstallRun run;
        writeFile("native.properties", "stale=1\r\n");
        run.installation->logJvmLocation(c.installed, "C:\\Program Files\\Java\\jre6", c.predefined, c.configure);
        EXPECT_EQ(readFile("native.properties"), c.file);
    }
}

TEST(ConfigureWinReg, ControlFileThenNativePropertiesThenTrue)
{
    struct Case {
        const char* what;
        const char* control;    // null: no control file
        const char* properties; // null: no native.properties
        bool configure;
        Lines trace;
    } cases[] = {
        {"no key", "jvmName=JRE\r\n", "configureWinRegistry=false\r\n", true, {}},
        {"no", "configureWinRegistry=no\r\nconfigureWinRegistry=yes\r\n", nullptr, false,
         {"configureWinRegistry=no", "configureWinRegistry: false"}},
        {"YES", "configureWinRegistry=YES\r\n", nullptr, true,
         {"configureWinRegistry=YES", "configureWinRegistry: true"}},
        {"key alone", "configureWinRegistry\r\n", nullptr, false,
         {"configureWinRegistry", "configureWinRegistry: false"}},
        {"fallback", nullptr, "configureWinRegistry=false\r\n", false,
         {"configureWinRegistry=false", "configureWinRegistry: false"}},
        {"neither", nullptr, nullptr, true, {"unable to open qiv.control file defaulting to configure registry"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InstallRun run;
        writeFile("jinstall.log", "");
        if (c.control) writeFile("qiv.control", c.control);
        if (c.properties) writeFile("native.properties", c.properties);
        EXPECT_EQ(run.installation->configureWinReg(), c.configure);
        EXPECT_EQ(readLogLines("jinstall.log"), c.trace);
    }
}

TEST(GetJavaHomeDir, DerivesAndTracesTheHome)
{
    InstallRun run;
    writeFile("jinstall.log", "");
    char home[5001];
    run.installation->getJavaHomeDir("C:\\jdk1.6\\bin\\java.exe", home);
    EXPECT_STREQ(home, "C:\\jdk1.6");
    EXPECT_EQ(readLogLines("jinstall.log"), (Lines{"jvm home dir C:\\jdk1.6"}));
}
