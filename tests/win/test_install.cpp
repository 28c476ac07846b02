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
