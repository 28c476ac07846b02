#include "fakejvm.h"
#include "jvm/jvmok.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

using Lines = std::vector<std::string>;

// Which launcher of a home is started on the test class, and how; with a registry version, that version
// must pass too, or the launcher keeps the name it came with. What a failed test run tells the user; the
// result file never outlives a test: not a stale one, nor one that a JVM stopped at the time limit would
// still write.
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
        {"no result: the stale file never counts", "javaw.exe", nullptr, false, {"bin\\javaw.exe"}, "exit=0", false,
         "javaw.exe", "bin\\javaw.exe", "Jvm isn't installed properly."},
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
        SetEnvironmentVariableA("QIV_TEST_JVM_SECONDS", never ? "1" : nullptr);
        JvmOk checker;
        EXPECT_EQ(r.registry ? checker.jvmCorrectVersion({"1.6", "", ""}, r.registry, jvm.home.c_str(), name, path)
                             : checker.jvmCorrectVersion({"1.6", "", ""}, jvm.home.c_str(), name, path),
                  r.ok);
        SetEnvironmentVariableA("QIV_TEST_JVM_SECONDS", nullptr);
        EXPECT_STREQ(name, r.name);
        EXPECT_EQ(std::string(path), jvm.home + "\\" + r.launcher);
        std::string started = std::filesystem::path(r.launcher).filename().string();
        Lines run{package.native(), started, "-cp", ".", "TestJvm", package.native()};
        EXPECT_EQ(jvm.calls(), std::vector<Lines>{run});
        EXPECT_EQ(readLogLines("errors.log"), r.error ? Lines{r.error} : Lines{});
        if (never) Sleep(2000); // a JVM left running would write its result by now
        EXPECT_FALSE(fileExists("jvmGood.txt"));
        for (const char* file : r.files) SetFileAttributesA((jvm.home + "\\" + file).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}
