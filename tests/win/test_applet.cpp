// The browser launch of a Java Plug-in installation, with a fake browser registered for HTML pages in
// the bench's registry, so that the shell's own lookup finds it.
#include "fakejvm.h"
#include "installrun.h"
#include "programrun.h"

namespace fs = std::filesystem;

namespace {

const std::string notice = "Please exit your browser now to complete the configuration for this installation.\n\n"
                           "Make sure you are connected to the Internet until the installation finishes.";

// HTML pages open in the fake browser (or, once the extension is removed, in nothing at all).
struct AppletRun : InstallRun {
    ScopedRegValue extension{HKEY_CLASSES_ROOT, ".html", ""};
    ScopedRegKey type{HKEY_CLASSES_ROOT, "QivTestPage"};
    std::string browser = (fs::create_directories("Browser"), fs::canonical("Browser").string() + "\\fakebrowser.exe");

    AppletRun()
    {
        fs::copy_file(programFromEnvironment("QIV_FAKEBROWSER"), browser);
        extension.setString("QivTestPage");
        type.setString("", "\"" + browser + "\" \"%1\"", "shell\\open\\command");
        writeFile("jinstall.log", "");
    }
    bool launch(const char* url)
    {
        MessageBoxCatcher catcher;
        bool ok = installation->launchApplet(url);
        for (const CaughtBox& box : catcher.boxes()) boxes.push_back(box);
        return ok;
    }
};

} // namespace

// The page after the last slash opens in the browser the shell finds for it, or installapp2.html when the
// page has no association; the notice comes first, with the exclamation icon, after the status window.
TEST(LaunchApplet, PageAfterTheLastSlashThenInstallapp2InTheRegisteredBrowser)
{
    struct Case { const char *what, *url; Lines pages; } cases[] = {
        {"installapp2.html for a page without an association", "start.qivnone", {"start.qivnone", "installapp2.html"}},
        {"an address with a blank reaches the browser whole", "http://h/my page.html", {"my page.html"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AppletRun run;
        for (const std::string& page : c.pages) writeFile(page, "<html/>");
        EXPECT_TRUE(run.launch(c.url));
        EXPECT_EQ(readPlainLines(fs::path(run.browser).parent_path() / "fakebrowser-calls.txt"),
                  Lines{run.native() + "|fakebrowser.exe|" + c.url + "|"});
        ASSERT_EQ(run.boxes.size(), 1u);
        EXPECT_EQ(run.boxes[0].text, notice);
        EXPECT_EQ(run.boxes[0].style, unsigned{MB_ICONEXCLAMATION});
        EXPECT_FALSE(fileExists("__qivshow.sem"));
    }
}

// On the Java Plug-in path a browser that cannot be had fails the launch. After a found JVM the package's
// JVM is installed and the wizard runs on it; a JVM this run installed itself gets no second try.
TEST(LaunchApplet, WithoutABrowserOnlyAFoundJvmGivesWayToThePackagesJvm)
{
    for (bool found : {true, false}) {
        SCOPED_TRACE(found ? "a found JVM" : "the JVM installed by this run");
        AppletRun run;
        run.extension.remove();
        FakeJvmHome plugin("plugin", {"bin\\javaw.exe"}, {"result=1.4.2_05"});
        if (found) run.javaSoft.setString("JavaHome", plugin.home, "Java Plug-in\\1.4");
        fs::copy_file(programFromEnvironment("QIV_FAKEINSTALLER"), "jre-archive.exe");
        fs::copy_file(programFromEnvironment("QIV_FAKEJVM"), "fakejvm.bin");
        writeFile("fakeinstaller.txt", "copy fakejvm.bin bin\\javaw.exe\nwrite fakejvm.txt result=1.4.2_05\n"
                                       "append fakejvm.txt wizard=start\n");
        for (const char* file : {"TestJvm.class", "install.jar", "page.html"}) writeFile(file, "");
        writeFile("qiv.control", "jvmName=Java Plug-in\r\njvmRequiredVersion=1.4.2_05\r\njvmCommandName=javaw.exe\r\n"
                                 "jvmSelfExtractor=jre-archive.exe\r\njvmClasspathSwitch=-cp\r\nloaderJavaCommand=Main\r\n"
                                 "appletUrl=http://h/page.html\r\npredefinedJvmInstallDir=" + run.native() + "\\jvm\r\n");
        EXPECT_EQ(run.run(), found);
        EXPECT_EQ(run.boxes.size(), found ? 0u : 1u);
        Lines calls = readPlainLines(run.native() + "\\jvm\\fakejvm-calls.txt");
        ASSERT_EQ(calls.size(), found ? 2u : 1u) << "the new JVM's test, then the wizard on it";
        EXPECT_TRUE(!found || calls[1].find("|Main|") != std::string::npos) << calls.back();
    }
}
