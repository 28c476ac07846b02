#include "support/clib.h"
#include "support/textfile.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <random>
#include <string>

namespace fs = std::filesystem;

namespace {
std::string randomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}
} // namespace

TEST(CopyBufferCount, ScalesWithTheSizeUpToTwenty)
{
    EXPECT_EQ(copyBufferCount(0), 1);
    EXPECT_EQ(copyBufferCount(29999), 1);
    EXPECT_EQ(copyBufferCount(30000), 2);
    EXPECT_EQ(copyBufferCount(60000), 3);
    EXPECT_EQ(copyBufferCount(569999), 19);
    EXPECT_EQ(copyBufferCount(570000), 20);
    EXPECT_EQ(copyBufferCount(1000000), 20);
    EXPECT_EQ(copyBufferCount(200ll << 20), 20);
}

// Sizes around the buffer and pass boundaries: one buffer, two, a whole pass, two passes.
TEST(CopyFile, MakesAnExactCopyOfEverySize)
{
    TestFolder folder;
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{29999}, std::size_t{30000},
                             std::size_t{60000}, std::size_t{600000}, std::size_t{600001}, std::size_t{1000000}}) {
        std::string bytes = randomBytes(size, static_cast<unsigned>(size));
        writeFile("source.bin", bytes);
        EXPECT_TRUE(copyFile("source.bin", "target.bin")) << size;
        EXPECT_TRUE(readFile("target.bin") == bytes) << "copy of " << size << " bytes differs";
    }
}

TEST(CopyFile, ReplacesALongerTarget)
{
    TestFolder folder;
    writeFile("source.bin", "short");
    writeFile("target.bin", std::string(100000, 'x'));
    EXPECT_TRUE(copyFile("source.bin", "target.bin"));
    EXPECT_EQ(readFile("target.bin"), "short");
}

TEST(CopyFile, FolderOrMissingSourceLeavesTheTargetAlone)
{
    TestFolder folder;
    fs::create_directory("dir");
    writeFile("target.bin", "kept");
    EXPECT_FALSE(copyFile("dir", "target.bin"));
    EXPECT_FALSE(copyFile("missing.bin", "target.bin"));
    EXPECT_EQ(readFile("target.bin"), "kept");
    EXPECT_FALSE(copyFile("missing.bin", "new.bin"));
    EXPECT_FALSE(fileExists("new.bin"));
}

TEST(CopyFile, TargetThatCannotBeCreatedGivesFalse)
{
    TestFolder folder;
    writeFile("source.bin", "data");
    fs::create_directory("target.bin");
    EXPECT_FALSE(copyFile("source.bin", "target.bin"));
    EXPECT_TRUE(fs::is_directory("target.bin"));
}

TEST(AppendFile, AppendsEveryByteAndSaysSo)
{
    TestFolder folder;
    std::string first = randomBytes(70000, 1), second = randomBytes(45000, 2);
    writeFile("a.log", first);
    writeFile("b.log", second);
    EXPECT_TRUE(appendFile("a.log", "all.log")) << "onto an absent target";
    EXPECT_TRUE(appendFile("b.log", "all.log")) << "onto a target that already held data";
    EXPECT_TRUE(readFile("all.log") == first + second);

    writeFile("empty.log", "");
    EXPECT_TRUE(appendFile("empty.log", "all.log"));
    EXPECT_EQ(readFile("all.log").size(), first.size() + second.size());
    EXPECT_FALSE(appendFile("missing.log", "all.log"));
    fs::create_directory("dir");
    EXPECT_FALSE(appendFile("dir", "all.log"));
}

TEST(CopyStream, NullStreamsFail)
{
    TestFolder folder;
    writeFile("x", "x");
    UniqueFile in("x", "rb");
    EXPECT_FALSE(copyStream(nullptr, in.get()));
    EXPECT_FALSE(copyStream(in.get(), nullptr));
}

TEST(IsDir, FoldersOnly)
{
    TestFolder folder;
    fs::create_directory("dir");
    writeFile("file", "");
    EXPECT_TRUE(isDir("dir"));
    EXPECT_FALSE(isDir("file"));
    EXPECT_FALSE(isDir("missing"));
    EXPECT_TRUE(isDir("."));
}

TEST(GetJavaHomeDirectory, LauncherFolderOrItsParentWhenNamedBin)
{
    struct Case {
        const char *path, *home;
    } cases[] = {
        {"C:\\jdk1.6\\bin\\java.exe", "C:\\jdk1.6"},
        {"C:\\jre\\javaw.exe", "C:\\jre"},
        {"java.exe", "java.exe"},
        {"C:\\JDK\\BIN\\JAVA.EXE", "C:\\JDK"},
        {"C:\\cabinet\\java.exe", "C:\\cabinet"},
        {"C:\\Apps\\binaries\\jre\\bin\\java.exe", "C:\\Apps\\binaries\\jre"},
        {"C:\\bin\\java.exe", "C:"},
        {"bin\\java.exe", "."},
        {"\\\\server\\share\\jre\\bin\\jrew.exe", "\\\\server\\share\\jre"},
        {"C:\\jre\\bin\\", "C:\\jre"},
    };
    for (const Case& c : cases) {
        char home[5001];
        std::memset(home, 'x', sizeof home);
        getJavaHomeDirectory(c.path, home);
        EXPECT_STREQ(home, c.home) << c.path;
    }
}

TEST(GetCurrentDir, CurrentFolderWithoutTrailingSeparator)
{
    TestFolder folder;
    char dir[5000];
    getCurrentDir(dir);
    EXPECT_EQ(fs::path(dir), folder.path());
#if defined(_WIN32)
    fs::current_path("C:\\");
    getCurrentDir(dir);
    EXPECT_STREQ(dir, "C:");
#endif
}

TEST(FindDirInPath, EntryMustEndWithTheNameAndExist)
{
    TestFolder folder;
    fs::create_directories(fs::path("Old") / "winnt-old" / "winnt");
    fs::create_directories(fs::path("WINNT") / "system32");
    const std::string here = folder.native();
    std::string lower = here;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string sep = here.find('\\') != std::string::npos ? "\\" : "/";

    struct Case {
        std::string path;
        std::string found; // empty: no match
    } cases[] = {
        {here + sep + "WINNT" + sep + "system32", ""},
        {here + sep + "WINNT", lower + sep + "winnt"},
        {";;" + here + sep + "missing" + sep + "winnt;" + here + sep + "WINNT;", lower + sep + "winnt"},
        {here + sep + "Old" + sep + "winnt-old" + sep + "winnt", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        char out[5001] = "unchanged";
        bool found = findDirInPath(c.path.c_str(), "winnt", out, sizeof out);
        EXPECT_EQ(found, !c.found.empty()) << c.path;
        if (found) {
            EXPECT_EQ(std::string(out), c.found);
        } else {
            EXPECT_STREQ(out, "unchanged");
        }
    }
    EXPECT_FALSE(findDirInPath(nullptr, "winnt", nullptr, 0));
}

// However long the PATH, its whole length is searched; an entry that would not fit is passed over.
TEST(FindDirInPath, LongPathIsSearchedWhole)
{
    TestFolder folder;
    fs::create_directories("winnt");
    const std::string sep = folder.native().find('\\') != std::string::npos ? "\\" : "/";
    std::string path = std::string(6000, 'x') + "winnt;" + std::string(4990, 'y') + ";" + folder.native() + sep +
                       "winnt";
    char out[5001] = "";
    ASSERT_TRUE(findDirInPath(path.c_str(), "winnt", out, sizeof out));
    EXPECT_EQ(fs::path(out).filename(), "winnt");
}
