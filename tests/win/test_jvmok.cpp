#include "fakejvm.h"
#include "jvm/jvmok.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

using Lines = std::vector<std::string>;

// Which launcher of a home is started on the test class, and how; with a registry version, that
// version must pass too.
TEST(JvmCorrectVersion, LauncherLookup)
{
    struct Row {
        const char *what, *folder, *given, *registry;
        bool sem, testClass;
        std::initializer_list<const char*> files;
        bool ok;
        const char *name, *launcher; // launcher: the file started, relative to the home
    } rows[] = {
        {"jre becomes java without the own log", "", "jre.exe", nullptr, false, true,
         {"bin\\java.exe", "bin\\javaw.exe"}, true, "java.exe", "bin\\java.exe"},
        {"jrew becomes javaw with it; blanks", "Documents and Settings", "jrew.exe", "1.6.0_07", true, true,
         {"bin\\javaw.exe"}, true, "javaw.exe", "bin\\javaw.exe"},
        {"registry version refused: the name it came with", "", "jrew.exe", "1.5.0", true, true, {"bin\\javaw.exe"},
         false, "jrew.exe", "bin\\javaw.exe"},
        {"jre without java: the name it came with", "", "jre.exe", nullptr, false, true, {"bin\\javaw.exe"}, false,
         "jre.exe", nullptr},
        {"java is never replaced", "", "java.exe", nullptr, true, true, {"bin\\javaw.exe"}, false, "java.exe", nullptr},
        {"upper-case JRE is not replaced", "", "JRE.EXE", nullptr, false, true, {"bin\\java.exe"}, false, "JRE.EXE",
         nullptr},
        {"the home itself before bin", "", "javaw.exe", nullptr, false, true, {"javaw.exe", "bin\\javaw.exe"}, true,
         "javaw.exe", "javaw.exe"},
        {"no test class: taken unstarted", "", "javaw.exe", nullptr, false, false, {"bin\\javaw.exe"}, true,
         "javaw.exe", nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        TestFolder package(r.folder);
        writeFile("jinstall.log", "");
        if (r.testClass) writeFile("TestJvm.class", "\xCA\xFE\xBA\xBE");
        if (r.sem) writeFile("jinstall.sem", "");
        writeFile("jvmGood.txt", "untouched");
        FakeJvmHome jvm("jre", r.files, {"result=java.version=1.6.0_07"});
        // A launcher that may not be written, as a runtime copied from a CD has it, counts all the same.
        for (const char* file : r.files) SetFileAttributesA((jvm.home + "\\" + file).c_str(), FILE_ATTRIBUTE_READONLY);
        char name[launcherNameSize], path[pathSize] = "";
        std::strcpy(name, r.given);
        JvmOk checker;
        EXPECT_EQ(r.registry ? checker.jvmCorrectVersion({"1.6", "", ""}, r.registry, jvm.home.c_str(), name, path)
                             : checker.jvmCorrectVersion({"1.6", "", ""}, jvm.home.c_str(), name, path),
                  r.ok);
        EXPECT_STREQ(name, r.name);
        std::vector<Lines> calls;
        if (r.launcher) {
            EXPECT_EQ(std::string(path), jvm.home + "\\" + r.launcher);
            std::string started = std::filesystem::path(r.launcher).filename().string();
            calls.push_back({package.native(), started, "-cp", ".", "TestJvm", package.native()});
        }
        EXPECT_EQ(jvm.calls(), calls);
        EXPECT_EQ(fileExists("jvmGood.txt"), r.launcher == nullptr) << "the result file never outlives a test";
        for (const char* file : r.files) SetFileAttributesA((jvm.home + "\\" + file).c_str(), FILE_ATTRIBUTE_NORMAL);
        if (r.registry && !r.ok) {
            EXPECT_EQ(readLogLines("jinstall.log").back(), "jvm doesn't meet criteria");
        }
    }
}

TEST(TestVersion, VerdictsAreTracedAndLogged)
{
    const std::string started = "test jvm launched ok: true", refused = "Jvm isn't installed properly.",
                      missing = "Error running JVM: File or path is not found: false",
                      stopped = "test jvm did not end within 1 s and was stopped: false";
    SetEnvironmentVariableA("QIV_TEST_JVM_SECONDS", "1");
    struct Row {
        const char *what, *setting, *required;
        bool ok;
        Lines tail, errors;
    } rows[] = {
        {"accepted", "result=java.version=1.5.0_22-b03", "1.5.0_22", true,
         {started, "found jvm version: 1.5.0_22-b03", "       version ok: true", "version checked ok: true",
          "test jvm ok: true"},
         {}},
        {"refused", "result=java.version=1.5.0_22-b03", "1.6", false,
         {started, "found jvm version: 1.5.0_22-b03", "       version ok: false", "version checked ok: false", refused},
         {refused}},
        {"no result: a stale file never counts", "exit=0", "1.6", false,
         {started, "Unable to verify version jvmGood.txt", refused}, {refused}},
        {"launcher that cannot start", nullptr, "1.6", false, {missing}, {missing}},
        {"a JVM that never ends is stopped", "sleep=2500\nresult=java.version=1.6.0", "1.6", false, {stopped}, {stopped}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        TestFolder package;
        writeFile("TestJvm.class", "");
        writeFile("jinstall.log", "");
        writeFile("jvmGood.txt", "java.version=1.6.0\n");
        FakeJvmHome jvm("jre", {"bin\\javaw.exe"}, {r.setting ? r.setting : ""});
        std::string launcher = jvm.home + (r.setting ? "\\bin\\javaw.exe" : "\\missing.exe");
        EXPECT_EQ(JvmOk().testVersion({r.required, "", ""}, launcher.c_str()), r.ok);
        Lines trace{"testing  " + launcher};
        trace.insert(trace.end(), r.tail.begin(), r.tail.end());
        EXPECT_EQ(readLogLines("jinstall.log"), trace);
        EXPECT_EQ(readLogLines("errors.log"), r.errors);
        if (r.tail[0] == stopped) Sleep(2000); // a JVM left running would write its result by now
        EXPECT_FALSE(fileExists("jvmGood.txt"));
    }
    SetEnvironmentVariableA("QIV_TEST_JVM_SECONDS", nullptr);
}
