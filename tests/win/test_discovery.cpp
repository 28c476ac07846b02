// Finding a JVM: the registry candidates, the test run that judges a launcher, and the runner that
// starts programs such as the JVM's archive.
#include "exec/execcmd.h"
#include "installrun.h"
#include "jvm/jvmok.h"

// Subkeys go from the last in byte order with their micro versions; the plug-in borrows the required micro part.
TEST(FindJvm, RegistryCandidates)
{
    TestFolder package;
    ScopedRegKey javaSoft{HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft"};
    writeFile("TestJvm.class", "");
    writeFile("jinstall.log", "");
    const std::string runtime = "Java Runtime Environment\\";
    // A version subkey whose home (named in valueName) holds a JVM reporting reported; gives its javaw.exe.
    auto add = [&](const std::string& subkey, const char* reported, const char* valueName = "JavaHome") {
        std::string result = std::string("result=java.version=") + reported;
        FakeJvmHome jvm("homes\\" + subkey, {"bin\\javaw.exe"}, {result.c_str()});
        javaSoft.setString(valueName, jvm.home, subkey.c_str());
        return jvm.home + "\\bin\\javaw.exe";
    };
    auto search = [](const char* required, const char* name) {
        return searchJvm({required, "", ""}, name, "javaw.exe");
    };
    EXPECT_EQ(search("1.10", "JRE"), "") << "no keys at all";
    add(runtime + "1.3", "1.3.1");
    javaSoft.setBytes("JavaHome", REG_DWORD, std::string("\x01\0\0\0", 4), (runtime + "1.9").c_str());
    javaSoft.setString("MicroVersion", "1", (runtime + "1.6").c_str());
    std::string found = add(runtime + "1.10", "1.10.0_01", "Home");
    javaSoft.setString("MicroVersion", "1", (runtime + "1.10").c_str());
    EXPECT_EQ(search("1.10", "JRE"), found) << "\"Home\" serves too";
    Lines tried, trace = readLogLines("jinstall.log");
    for (const std::string& line : trace)
        if (line.rfind("                 version ", 0) == 0) tried.push_back(line.substr(25));
    EXPECT_EQ(tried, (Lines{"1.9", "1.6", "1.3", "1.10"})) << "1.10 comes after 1.9";
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "found jvm version: 1.10.1"), 1) << "the version judged";

    add(runtime + "1.4", "1.4.2_05-b01");
    javaSoft.setString("MicroVersion", "2_05", (runtime + "1.4").c_str());
    std::string plugin = add("Java Plug-in\\1.4", "1.4.2_05-b01");
    EXPECT_EQ(search("1.4.2_05", "java plug-in"), plugin);
}

// Which launcher runs the test class; a refused launcher keeps its name; no result file, stale or late, counts.
TEST(JvmCorrectVersion, LauncherLookupAndTestRun)
{
    const char* const passes = "result=java.version=1.6.0_07";
    // launcher: the file started, relative to the home
    struct Row { const char *what, *given, *registry; bool sem; std::initializer_list<const char*> files;
                 const char* setting; bool ok; const char *name, *launcher, *error; } rows[] = {
        {"jre becomes java without the own log", "jre.exe", nullptr, false, {"bin\\java.exe", "bin\\javaw.exe"},
         passes, true, "java.exe", "bin\\java.exe", nullptr},
        {"jrew becomes javaw with it", "jrew.exe", "1.6.0_07", true, {"bin\\javaw.exe"}, passes, true, "javaw.exe",
         "bin\\javaw.exe", nullptr},
        {"registry version refused", "jrew.exe", "1.5.0", true, {"bin\\javaw.exe"}, passes, false, "jrew.exe",
         "bin\\javaw.exe", nullptr},
        {"the home itself before bin", "javaw.exe", nullptr, false, {"javaw.exe", "bin\\javaw.exe"}, passes, true,
         "javaw.exe", "javaw.exe", nullptr},
        {"a JVM that never ends is stopped", "javaw.exe", nullptr, false, {"bin\\javaw.exe"},
         "sleep=2500\nresult=java.version=1.6.0", false, "javaw.exe", "bin\\javaw.exe",
         "test jvm did not end within 1 s and was stopped: false"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        TestFolder package("Documents and Settings");
        writeFile("TestJvm.class", "\xCA\xFE\xBA\xBE");
        if (r.sem) writeFile("jinstall.sem", "");
        writeFile("jvmGood.txt", "java.version=1.6.0\n");
        FakeJvmHome jvm("jre", r.files, {r.setting});
        // A launcher that may not be written, as a runtime copied from a CD has it, counts all the same.
        for (const char* file : r.files) SetFileAttributesA((jvm.home + "\\" + file).c_str(), FILE_ATTRIBUTE_READONLY);
        char name[launcherNameSize], path[pathSize] = "";
        std::strcpy(name, r.given);
        const bool never = std::strstr(r.setting, "sleep") != nullptr;
        ScopedEnv seconds("QIV_TEST_JVM_SECONDS", never ? "1" : nullptr);
        JvmOk checker;
        EXPECT_EQ(r.registry ? checker.jvmCorrectVersion({"1.6", "", ""}, r.registry, jvm.home.c_str(), name, path)
                             : checker.jvmCorrectVersion({"1.6", "", ""}, jvm.home.c_str(), name, path),
                  r.ok);
        EXPECT_STREQ(name, r.name);
        EXPECT_EQ(std::string(path), jvm.home + "\\" + r.launcher);
        std::string started = fs::path(r.launcher).filename().string();
        Lines run{package.native(), started, "-cp", ".", "TestJvm", package.native()};
        EXPECT_EQ(jvm.calls(), std::vector<Lines>{run});
        EXPECT_EQ(readLogLines("errors.log"), r.error ? Lines{r.error} : Lines{});
        if (never) Sleep(2000); // a JVM left running would write its result by now
        EXPECT_FALSE(fileExists("jvmGood.txt"));
        for (const char* file : r.files) SetFileAttributesA((jvm.home + "\\" + file).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// A quoted command starts by its bare path; what cannot start goes to the logs the runner was given.
TEST(ExecCommand, StartsAPathWithBlanksAndReportsWhatCannotStart)
{
    TestFolder folder;
    fs::create_directories("Program Files\\App");
    std::string program = folder.native() + "\\Program Files\\App\\setup.exe";
    fs::copy_file(programFromEnvironment("QIV_FAKEINSTALLER"), program);
    std::string errors = folder.native() + "\\start-errors.log", trace = folder.native() + "\\start-trace.log";
    writeFile(trace, "");
    ExecCommand command;
    command.setErrorsFilename(errors.c_str());
    command.setTraceFilename(trace.c_str());
    command.setTraceFilename(std::string(6000, 'x').c_str()); // refused: too long for its buffer
    EXPECT_TRUE(command.execCommand(program.c_str(), "-a -b"));
    EXPECT_EQ(readPlainLines("Program Files\\App\\fakeinstaller-calls.txt"),
              (Lines{folder.native() + "|" + program + "|-a|-b|"})) << "it ran and ended";

    EXPECT_FALSE(command.execCommand("C:\\Temp dir\\setup.exe", nullptr));
    Lines failure{"Unable to execute command: \"C:\\Temp dir\\setup.exe\"", "                   result -1",
                  "                    errno 2"};
    EXPECT_EQ(readLogLines(errors), failure);
    EXPECT_EQ(readLogLines(trace).back(), failure.back());
    EXPECT_FALSE(fileExists("errors.log"));
}
