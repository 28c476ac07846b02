#include "fakejvm.h"
#include "jvm/jvmok.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

using Lines = std::vector<std::string>;

// Which launcher of a home is started on the test class, and how; with a registry version, that
// version must pass too, or the launcher keeps the name it came with.
TEST(JvmCorrectVersion, LauncherLookup)
{
    struct Row {
        const char *what, *given, *registry;
        bool sem;
        std::initializer_list<const char*> files;
        bool ok;
        const char *name, *launcher; // launcher: the file started, relative to the home
    } rows[] = {
        {"jre becomes java without the own log", "jre.exe", nullptr, false, {"bin\\java.exe", "bin\\javaw.exe"}, true,
         "java.exe", "bin\\java.exe"},
        {"jrew becomes javaw with it", "jrew.exe", "1.6.0_07", true, {"bin\\javaw.exe"}, true, "javaw.exe",
         "bin\\javaw.exe"},
        {"registry version refused", "jrew.exe", "1.5.0", true, {"bin\\javaw.exe"}, false, "jrew.exe",
         "bin\\javaw.exe"},
        {"the home itself before bin", "javaw.exe", nullptr, false, {"javaw.exe", "bin\\javaw.exe"}, true, "javaw.exe",
         "javaw.exe"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        TestFolder package("Documents and Settings");
        writeFile("TestJvm.class", "\xCA\xFE\xBA\xBE");
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
        EXPECT_EQ(std::string(path), jvm.home + "\\" + r.launcher);
        std::string started = std::filesystem::path(r.launcher).filename().string();
        Lines run{package.native(), started, "-cp", ".", "TestJvm", package.native()};
        EXPECT_EQ(jvm.calls(), std::vector<Lines>{run});
        EXPECT_FALSE(fileExists("jvmGood.txt")) << "the result file never outlives a test";
        for (const char* file : r.files) SetFileAttributesA((jvm.home + "\\" + file).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// What a failed test run tells the user. The result file never outlives the run: not a stale one,
// nor one that a JVM stopped at the time limit would still write.
TEST(TestVersion, FailedRunsAreReported)
{
    SetEnvironmentVariableA("QIV_TEST_JVM_SECONDS", "1");
    struct { const char *what, *setting, *error; } rows[] = {
        {"no result: a stale file never counts", "exit=0", "Jvm isn't installed properly."},
        {"a JVM that never ends is stopped", "sleep=2500\nresult=java.version=1.6.0",
         "test jvm did not end within 1 s and was stopped: false"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        TestFolder package;
        writeFile("TestJvm.class", "");
        writeFile("jvmGood.txt", "java.version=1.6.0\n");
        FakeJvmHome jvm("jre", {"bin\\javaw.exe"}, {r.setting});
        EXPECT_FALSE(JvmOk().testVersion({"1.6", "", ""}, (jvm.home + "\\bin\\javaw.exe").c_str()));
        EXPECT_EQ(readLogLines("errors.log"), Lines{r.error});
        if (std::strstr(r.error, "stopped")) Sleep(2000); // a JVM left running would write its result by now
        EXPECT_FALSE(fileExists("jvmGood.txt"));
    }
    SetEnvironmentVariableA("QIV_TEST_JVM_SECONDS", nullptr);
}
