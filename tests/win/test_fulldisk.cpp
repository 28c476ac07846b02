// What a full disk must not leave behind. The bench mounts a 256 KB file system for these tests; the
// control file on a full disk is among the cases of test_getparam.
#include "exec/execcmd.h"
#include "support/clib.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <string>

TEST(FullDisk, WritersLeaveNoPartialFileAndReportWhatTheyLost)
{
    std::string disk = benchFolder("smalldisk");
    if (disk.empty()) GTEST_SKIP() << "the bench has no small file system on this machine";
    TestFolder folder;
    writeFile("big.bin", std::string(1 << 20, 'b'));
    writeFile("small.bin", std::string(1000, 's'));
    std::string target = disk + "\\big.bin", log = disk + "\\errors.log", errors = folder.native() + "\\errors.log";
    std::filesystem::current_path(disk);
    ExecCommand command;
    command.setErrorsFilename(errors.c_str());
    EXPECT_FALSE(command.createLaunchFile("setup.exe", std::string(300 * 1024, 'a').c_str()));
    EXPECT_FALSE(fileExists("__qivlaunch.bat")) << "a batch file cut short stayed";
    std::filesystem::current_path(folder.path());
    EXPECT_EQ(readLogLines(errors), std::vector<std::string>{"Unable to create file __qivlaunch.bat"});
    EXPECT_FALSE(copyFile("big.bin", target.c_str()));
    EXPECT_FALSE(fileExists(target));
    EXPECT_TRUE(copyFile("small.bin", target.c_str())) << "the disk has room again";
    EXPECT_FALSE(appendFile("big.bin", log.c_str()));
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(disk, ignored))
        std::filesystem::remove_all(entry.path(), ignored);
}
