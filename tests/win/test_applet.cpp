// The browser launch of a Java Plug-in installation, with a fake browser registered for HTML pages in
// the bench's registry, so that the shell's own lookup finds it.
#include "fakejvm.h"
#include "installrun.h"
#include "programrun.h"

#include <gtest/gtest.h>

#include <cstring>

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

const char* const notice = "Please exit your browser now to complete the configuration for this installation.\n\n"
                           "Make sure you are connected to the Internet until the installation finishes.";

// HTML pages open in the fake browser (or in nothing at all) while the test runs.
struct HtmlAssociation {
    ScopedRegValue extension{HKEY_CLASSES_ROOT, ".html", ""};
    ScopedRegKey type{HKEY_CLASSES_ROOT, "QivTestPage"};
    std::string browser;

    explicit HtmlAssociation(const std::string& browserPath) : browser(browserPath)
    {
        extension.setString("QivTestPage");
        type.setString("", "\"" + browser + "\" \"%1\"", "shell\\open\\command");
    }
    void remove() { extension.remove(); }
    Lines calls() const { return readPlainLines(fs::path(browser).parent_path() / "fakebrowser-calls.txt"); }
};

struct AppletRun : InstallRun {
    HtmlAssociation html;
    AppletRun() : html(placeBrowser()) { writeFile("jinstall.log", ""); }

    static std::string placeBrowser()
    {
        fs::create_directories("Browser");
        std::string path = fs::canonical("Browser").string() + "\\fakebrowser.exe";
        fs::copy_file(programFromEnvironment("QIV_FAKEBROWSER"), path);
        return path;
    }

    bool launch(const char* url, std::vector<CaughtBox>* shown = nullptr)
    {
        char address[5000];
        std::strcpy(address, url);
        MessageBoxCatcher catcher;
        bool ok = installation->launchApplet(address);
        if (shown) *shown = catcher.boxes();
        return ok;
    }
};

} // namespace

TEST(LaunchApplet, PageNameAfterTheLastSlashOpensInTheRegisteredBrowser)
{
    AppletRun run;
    writeFile("page.html", "<html/>");
    writeFile(fs::path(run.html.browser).parent_path() / "fakebrowser.txt", "3"); // any exit code will do
    std::vector<CaughtBox> boxes;
    EXPECT_TRUE(run.launch("http://example.invalid/applets/page.html", &boxes));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, notice);
    EXPECT_EQ(boxes[0].style, 0x30u);
    ASSERT_EQ(run.html.calls().size(), 1u);
    EXPECT_EQ(run.html.calls()[0], run.native() + "|fakebrowser.exe|http://example.invalid/applets/page.html|");
    EXPECT_FALSE(fileExists("__qivshow.sem"));
    EXPECT_EQ(readLogLines("jinstall.log"),
              (Lines{run.html.browser + " http://example.invalid/applets/page.html"}));
}

TEST(LaunchApplet, PageWithoutAnAssociationFallsBackToInstallapp2)
{
    AppletRun run;
    writeFile("installapp2.html", "<html/>");
    writeFile("start.qivnone", "");
    EXPECT_TRUE(run.launch("start.qivnone"));
    ASSERT_EQ(run.html.calls().size(), 1u);
    EXPECT_EQ(run.html.calls()[0], run.native() + "|fakebrowser.exe|start.qivnone|");
}

TEST(LaunchApplet, NoAssociationAtAllIsASilentFalse)
{
    AppletRun run;
    run.html.remove();
    writeFile("page.html", "");
    writeFile("installapp2.html", "");
    std::vector<CaughtBox> boxes;
    EXPECT_FALSE(run.launch("http://h/page.html", &boxes));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(readLogLines("jinstall.log"), Lines{});
    EXPECT_FALSE(fileExists("errors.log"));
    EXPECT_TRUE(fileExists("__qivshow.sem"));
}

TEST(LaunchApplet, BrowserThatCannotStart)
{
    AppletRun run;
    writeFile("page.html", "");
    fs::remove(run.html.browser);
    std::vector<CaughtBox> boxes;
    bool ok = run.launch("http://h/page.html", &boxes);
    if (boxes.empty() && !ok) GTEST_SKIP() << "the shell's lookup here checks that the program exists";
    EXPECT_FALSE(ok);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, notice);
    EXPECT_EQ(boxes[1].text, std::string("Unable to find broswer.\n") + englishSuffix());
    EXPECT_EQ(readLogLines("errors.log"),
              (Lines{"Unable to find browser. Start browser and go to URL: http://h/page.html"}));
}

// On the Java Plug-in path a browser that cannot be had leads to the package's JVM and the wizard.
TEST(LaunchApplet, WithoutABrowserThePluginPathInstallsTheJvmAndStartsTheWizard)
{
    AppletRun run;
    run.html.remove();
    FakeJvmHome plugin("plugin", {"bin\\javaw.exe"}, {"result=1.4.2_05"});
    run.javaSoft.setString("JavaHome", plugin.home, "Java Plug-in\\1.4");
    fs::copy_file(programFromEnvironment("QIV_FAKEINSTALLER"), "jre-archive.exe");
    fs::copy_file(programFromEnvironment("QIV_FAKEJVM"), "fakejvm.bin");
    writeFile("fakeinstaller.txt", "copy fakejvm.bin bin\\javaw.exe\nwrite fakejvm.txt result=1.4.2_05\n"
                                   "append fakejvm.txt wizard=start\n");
    writeFile("TestJvm.class", "");
    writeFile("install.jar", "PK");
    writeFile("qiv.control", "jvmName=Java Plug-in\r\njvmRequiredVersion=1.4.2_05\r\njvmCommandName=javaw.exe\r\n"
                             "jvmSelfExtractor=jre-archive.exe\r\npredefinedJvmInstallDir=" +
                                 run.native() + "\\jvm\r\njvmClasspathSwitch=-cp\r\nloaderJavaCommand=Main\r\n"
                                                "appletUrl=http://h/page.html\r\n");
    writeFile("page.html", "");
    EXPECT_TRUE(run.run());
    for (const CaughtBox& box : run.boxes) ADD_FAILURE() << "unexpected box: " << box.text;
    Lines calls = readPlainLines(run.native() + "\\jvm\\fakejvm-calls.txt");
    ASSERT_EQ(calls.size(), 2u) << "the new JVM's test, then the wizard";
    EXPECT_NE(calls[1].find("|Main|"), std::string::npos);
}
