// The browser launch of a Java Plug-in installation.
#include "installrun.h"

const std::string notice = "Please exit your browser now to complete the configuration for this installation.\n\n"
                           "Make sure you are connected to the Internet until the installation finishes.";

// The page opens in its browser after the notice; without one, only a found JVM gives way to the package's JVM.
TEST(LaunchApplet, PageInTheRegisteredBrowserOrThePackagesJvmAfterAFoundOne)
{
    struct Case { const char *what, *url; Lines pages; bool browser, found; } cases[] = {
        {"installapp2.html for a page without an association", "start.qivnone", {"start.qivnone", "installapp2.html"},
         true, true},
        {"an address with a blank reaches the browser whole", "http://h/my page.html", {"my page.html"}, true, true},
        {"no browser after a found JVM", "http://h/page.html", {"page.html"}, false, true},
        {"no browser after the JVM installed by this run", "http://h/page.html", {"page.html"}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InstallRun run;
        // HTML pages open in the fake browser, which the shell's own lookup finds, or in nothing at all.
        ScopedRegValue extension{HKEY_CLASSES_ROOT, ".html", ""};
        ScopedRegKey type{HKEY_CLASSES_ROOT, "QivTestPage"};
        fs::create_directories("Browser");
        const std::string browser = fs::canonical("Browser").string() + "\\fakebrowser.exe";
        fs::copy_file(programFromEnvironment("QIV_FAKEINSTALLER"), browser);
        c.browser ? extension.setString("QivTestPage") : extension.remove();
        type.setString("", "\"" + browser + "\" \"%1\"", "shell\\open\\command");
        writeFile("jinstall.log", "");
        for (const std::string& page : c.pages) writeFile(page, "<html/>");
        FakeJvmHome plugin("plugin", {"bin\\javaw.exe"}, {"result=1.4.2_05"});
        if (c.found) run.javaSoft.setString("JavaHome", plugin.home, "Java Plug-in\\1.4");
        run.archive({"copy fakejvm.bin bin\\javaw.exe", "write fakejvm.txt result=1.4.2_05",
                     "append fakejvm.txt wizard=start"});
        for (const char* file : {"TestJvm.class", "install.jar"}) writeFile(file, "");
        writeFile("qiv.control", "jvmName=Java Plug-in\r\njvmRequiredVersion=1.4.2_05\r\njvmCommandName=javaw.exe\r\n"
                                 "jvmSelfExtractor=jre-archive.exe\r\njvmClasspathSwitch=-cp\r\nloaderJavaCommand=Main\r\n"
                                 "appletUrl=" + std::string(c.url) + "\r\npredefinedJvmInstallDir=" + run.native() + "\\jvm\r\n");
        EXPECT_EQ(run.run(), c.found);
        EXPECT_FALSE(fileExists("__qivshow.sem"));
        Lines calls = readPlainLines(run.native() + "\\jvm\\fakejvm-calls.txt");
        if (!c.browser) {
            EXPECT_EQ(run.boxes.size(), c.found ? 0u : 1u);
            ASSERT_EQ(calls.size(), c.found ? 2u : 1u) << "the new JVM's test, then the wizard on it";
            EXPECT_TRUE(!c.found || calls[1].find("|Main|") != std::string::npos) << calls.back();
            continue;
        }
        EXPECT_TRUE(calls.empty()) << "the found JVM serves";
        EXPECT_EQ(readPlainLines(fs::path(browser).parent_path() / "fakeinstaller-calls.txt"),
                  Lines{run.native() + "|fakebrowser.exe|" + c.url + "|"});
        ASSERT_EQ(run.boxes.size(), 1u);
        EXPECT_EQ(run.boxes[0].text, notice);
        EXPECT_EQ(run.boxes[0].style, unsigned{MB_ICONEXCLAMATION});
    }
}
