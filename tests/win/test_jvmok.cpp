#include "fakejvm.h"
#include "jvm/jvmok.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {
// A package folder that ships the test class (its content does not matter to the fake JVM).
struct Package : TestFolder {
    Package()
    {
        writeFile("TestJvm.class", "\xCA\xFE\xBA\xBE");
        writeFile("jinstall.log", "");
    }
};

struct Locate {
    char name[launcherNameSize];
    char path[pathSize] = "";
    bool ok;
    Locate(const std::string& home, const char* launcher, const char* required = "1.6")
    {
        std::strcpy(name, launcher);
        JvmOk checker;
        ok = checker.jvmCorrectVersion({required, "", ""}, home.c_str(), name, path);
    }
};
} // namespace

TEST(JvmCorrectVersion, NameBeginningWithJreIsReplacedByJavaOrJavaw)
{
    for (const char* given : {"jre.exe", "jrew.exe"}) {
        for (bool ownLog : {false, true}) {
            SCOPED_TRACE(std::string(given) + (ownLog ? " with jinstall.sem" : " without jinstall.sem"));
            Package package;
            if (ownLog) writeFile("jinstall.sem", "");
            FakeJvmHome jvm("jre", {"bin\\java.exe", "bin\\javaw.exe"}, {"result=java.version=1.6.0_07"});
            Locate locate(jvm.home, given);
            ASSERT_TRUE(locate.ok);
            const char* expected = ownLog ? "javaw.exe" : "java.exe";
            EXPECT_STREQ(locate.name, expected);
            EXPECT_EQ(std::string(locate.path), jvm.home + "\\bin\\" + expected);
            ASSERT_EQ(jvm.calls().size(), 1u) << "only the launcher that exists is started";
            EXPECT_EQ(jvm.calls()[0], (Lines{package.native(), expected, "-cp", ".", "TestJvm", package.native()}));
        }
    }
}

TEST(JvmCorrectVersion, JavaAndUpperCaseJreAreNeverReplaced)
{
    for (const char* given : {"java.exe", "javaw.exe", "JRE.EXE"}) {
        SCOPED_TRACE(given);
        Package package;
        FakeJvmHome jvm("jre", {"bin\\jrew.exe"}, {"result=1.6.0"});
        Locate locate(jvm.home, given);
        EXPECT_FALSE(locate.ok);
        EXPECT_STREQ(locate.name, given);
        EXPECT_TRUE(jvm.calls().empty());
    }
}

TEST(JvmCorrectVersion, LauncherInTheHomeItselfComesFirst)
{
    Package package;
    FakeJvmHome jvm("jre", {"javaw.exe", "bin\\javaw.exe"}, {"result=1.6.0"});
    Locate locate(jvm.home, "javaw.exe");
    ASSERT_TRUE(locate.ok);
    EXPECT_EQ(std::string(locate.path), jvm.home + "\\javaw.exe");
}

TEST(TestVersion, StaleResultFileNeverCounts)
{
    Package package;
    writeFile("jvmGood.txt", "java.version=1.6.0\n");
    FakeJvmHome jvm("jre", {"bin\\javaw.exe"}, {}); // runs, writes nothing
    Locate locate(jvm.home, "javaw.exe");
    EXPECT_FALSE(locate.ok);
    EXPECT_FALSE(fileExists("jvmGood.txt"));
    std::string launcher = jvm.home + "\\bin\\javaw.exe";
    EXPECT_EQ(readLogLines("jinstall.log"),
              (Lines{"testing  " + launcher, "test jvm launched ok: true", "Unable to verify version jvmGood.txt",
                     "Jvm isn't installed properly."}));
    EXPECT_EQ(readLogLines("errors.log"), (Lines{"Jvm isn't installed properly."}));
}

TEST(TestVersion, AcceptedAndRejectedVersionsAreTraced)
{
    Package package;
    FakeJvmHome jvm("jre", {"bin\\javaw.exe"}, {"result=java.version=1.5.0_22-b03"});
    Locate rejected(jvm.home, "javaw.exe", "1.6");
    EXPECT_FALSE(rejected.ok);
    Locate accepted(jvm.home, "javaw.exe", "1.5.0_22");
    EXPECT_TRUE(accepted.ok);
    Lines trace = readLogLines("jinstall.log");
    std::string launcher = jvm.home + "\\bin\\javaw.exe";
    EXPECT_EQ(trace, (Lines{"testing  " + launcher, "test jvm launched ok: true", "found jvm version: 1.5.0_22-b03",
                            "       version ok: false", "version checked ok: false", "Jvm isn't installed properly.",
                            "testing  " + launcher, "test jvm launched ok: true", "found jvm version: 1.5.0_22-b03",
                            "       version ok: true", "version checked ok: true", "test jvm ok: true"}));
    EXPECT_FALSE(fileExists("jvmGood.txt"));
}

TEST(TestVersion, LauncherThatCannotStart)
{
    Package package;
    JvmOk checker;
    EXPECT_FALSE(checker.testVersion({"1.6", "", ""}, (package.native() + "\\missing\\java.exe").c_str()));
    EXPECT_EQ(readLogLines("errors.log"), (Lines{"Error running JVM: File or path is not found: false"}));

    writeFile("broken.exe", "this is no program");
    EXPECT_FALSE(checker.testVersion({"1.6", "", ""}, (package.native() + "\\broken.exe").c_str()));
    Lines errors = readLogLines("errors.log");
    ASSERT_EQ(errors.size(), 2u);
    std::string line = errors.back();
    EXPECT_EQ(line.rfind("Error running JVM: ", 0), 0u) << line;
    EXPECT_EQ(line.substr(line.size() - 7), ": false") << line;
}

TEST(TestVersion, WithoutTheTestClassTheLauncherIsNotStarted)
{
    TestFolder folder;
    writeFile("jvmGood.txt", "untouched");
    FakeJvmHome jvm("jre", {"bin\\javaw.exe"}, {"result=1.6.0"});
    Locate locate(jvm.home, "javaw.exe");
    EXPECT_TRUE(locate.ok);
    EXPECT_TRUE(jvm.calls().empty());
    EXPECT_EQ(readFile("jvmGood.txt"), "untouched");
}

TEST(TestVersion, FolderWithBlanksReachesTheTestClassAsOneArgument)
{
    TestFolder outer("Documents and Settings");
    writeFile("TestJvm.class", "");
    FakeJvmHome jvm("jre", {"bin\\javaw.exe"}, {"result=1.6.0"});
    Locate locate(jvm.home, "javaw.exe");
    EXPECT_TRUE(locate.ok) << "the result file landed in the package folder";
    ASSERT_EQ(jvm.calls().size(), 1u);
    EXPECT_EQ(jvm.calls()[0].back(), outer.native());
}

TEST(JvmCorrectVersion, RegistryVersionMustPassToo)
{
    Package package;
    writeFile("jinstall.sem", "");
    FakeJvmHome jvm("jre", {"bin\\javaw.exe"}, {"result=1.6.0_07"});
    char name[launcherNameSize] = "jrew.exe", path[pathSize];
    JvmOk checker;
    EXPECT_FALSE(checker.jvmCorrectVersion({"1.6", "", ""}, "1.5.0", jvm.home.c_str(), name, path));
    EXPECT_STREQ(name, "jrew.exe") << "the name it had on entry, though javaw.exe was found and tested";
    ASSERT_EQ(jvm.calls().size(), 1u);
    Lines trace = readLogLines("jinstall.log");
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.back(), "jvm doesn't meet criteria");
    EXPECT_TRUE(checker.jvmCorrectVersion({"1.6", "", ""}, "1.6.0_07", jvm.home.c_str(), name, path));
}
