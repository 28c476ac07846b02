// What a full disk must not destroy. The bench mounts a 256 KB file system for these tests.
#include "control/getparam.h"
#include "msgbox.h"
#include "regscope.h"
#include "support/clib.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <string>

namespace fs = std::filesystem;

namespace {
struct SmallDisk {
    std::string dir = benchFolder("smalldisk");
    ~SmallDisk()
    {
        std::error_code ignored;
        if (!dir.empty())
            for (const auto& entry : fs::directory_iterator(dir, ignored)) fs::remove_all(entry.path(), ignored);
    }
};
} // namespace

TEST(FullDisk, CopyFileLeavesNoPartialTarget)
{
    SmallDisk disk;
    if (disk.dir.empty()) GTEST_SKIP() << "the bench has no small file system on this machine";
    TestFolder folder;
    writeFile("big.bin", std::string(1 << 20, 'b'));
    std::string target = disk.dir + "\\big.bin";
    EXPECT_FALSE(copyFile("big.bin", target.c_str()));
    EXPECT_FALSE(fileExists(target));

    writeFile("small.bin", std::string(1000, 's'));
    EXPECT_TRUE(copyFile("small.bin", target.c_str())) << "the disk has room again";
}

TEST(FullDisk, AppendFileReportsTheBytesItCouldNotAppend)
{
    SmallDisk disk;
    if (disk.dir.empty()) GTEST_SKIP() << "the bench has no small file system on this machine";
    TestFolder folder;
    writeFile("big.log", std::string(1 << 20, 'l'));
    EXPECT_FALSE(appendFile("big.log", (disk.dir + "\\errors.log").c_str()));
}

TEST(FullDisk, ControlFileIsKeptWhenItsConversionCannotBeWritten)
{
    SmallDisk disk;
    if (disk.dir.empty()) GTEST_SKIP() << "the bench has no small file system on this machine";
    std::string control = "jvmName=Kept\n" + std::string(150 * 1024, '#') + "\n";
    writeFile(disk.dir + "\\qiv.control", control);
    ScopedUserLocale locale("English_United States.1252");
    auto previous = fs::current_path();
    fs::current_path(disk.dir);
    bool converted;
    std::vector<CaughtBox> boxes;
    {
        MessageBoxCatcher catcher;
        GetParameters reader;
        converted = reader.convertLineEndings("qiv.control");
        boxes = catcher.boxes();
    }
    fs::current_path(previous);
    EXPECT_FALSE(converted);
    EXPECT_TRUE(readFile(disk.dir + "\\qiv.control") == control) << "the control file was damaged";
    EXPECT_FALSE(fileExists(disk.dir + "\\__qiv.control"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.substr(0, 46), "Unable to convert line endings for qiv.control");
}
