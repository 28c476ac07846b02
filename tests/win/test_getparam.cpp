// Reading qiv.control on a real disk: the CR LF rewrite, the logs around it, and the failures that must
// leave the file as it was, a full disk among them; and what the other writers leave behind there.
#include "control/getparam.h"
#include "exec/execcmd.h"
#include "support/clib.h"
#include "support/handles.h"
#include "msgbox.h"
#include "regscope.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

// The file is rewritten with CR LF, in one step. One that is only kept from being replaced is read as
// it is and stays as it was, which errors.log and the trace log say, as they say what line was refused
// (an unreadable file is the whole run's test). On a full disk its CR LF copy does not fit beside it:
// the run stops with a box, and the file stays as it was.
TEST(GetParameters, RewritesTheFileUnlessItCannotBeReplaced)
{
    ScopedUserLocale locale{"English_United States.1252"};
    const std::string disk = benchFolder("smalldisk"), tooLong = "jvmRequiredVersion=" + std::string(300, '1');
    const std::string file = "jvmMinVersion=1.4\n" + tooLong + "\njvmName=N\n";
    const std::string converted = "jvmMinVersion=1.4\r\n" + tooLong + "\r\njvmName=N\r\n";
    enum Hold { none, locked, readOnly, fullDisk };
    const char* const names[] = {"free", "open without delete sharing", "read-only", "on a full disk"};
    for (Hold hold : {none, locked, readOnly, fullDisk}) {
        SCOPED_TRACE(names[hold]);
        if (hold == fullDisk && disk.empty()) GTEST_SKIP() << "the bench has no small file system on this machine";
        TestFolder folder;
        if (hold == fullDisk) fs::current_path(disk);
        const std::string content = hold == fullDisk ? file + std::string(150 * 1024, '#') + "\n" : file;
        writeFile("jinstall.log", "");
        writeFile("qiv.control", content);
        UniqueFileHandle held(hold != locked ? INVALID_HANDLE_VALUE : CreateFileA("qiv.control", GENERIC_READ,
                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_EQ(held.get() != INVALID_HANDLE_VALUE, hold == locked);
        if (hold == readOnly) SetFileAttributesA("qiv.control", FILE_ATTRIBUTE_READONLY);
        MessageBoxCatcher catcher;
        std::unique_ptr<ControlValues> values(new ControlValues); // 64 KB: not on the stack
        EXPECT_EQ(GetParameters().getParameters(*values), hold != fullDisk);
        EXPECT_EQ(catcher.boxes().size(), hold == fullDisk ? 1u : 0u);
        held.reset();
        SetFileAttributesA("qiv.control", FILE_ATTRIBUTE_NORMAL);
        EXPECT_TRUE(readFile("qiv.control") == (hold == none ? converted : content)) << "qiv.control changed";
        EXPECT_FALSE(fileExists("__qiv.control"));
        Lines errors{"Unable to convert line endings for qiv.control"}, trace;
        if (hold != fullDisk) {
            EXPECT_EQ(std::string(values->jvmName) + "|" + values->jvmMinVersion, "N|1.4");
            errors = {"value too long in qiv.control, line ignored: jvmRequiredVersion (300 characters, at most 200)"};
            if (hold != none) errors.insert(errors.begin(), "Unable to replace qiv.control; it is read as it is");
            trace = errors;
            trace.push_back("Valid versions of jre.exe: 1.4 through "); // the trace log of the user's
        }
        EXPECT_EQ(readLogLines("errors.log"), errors);
        EXPECT_EQ(readLogLines("jinstall.log"), trace);
        for (const char* own : {"qiv.control", "errors.log", "jinstall.log"}) fs::remove(own);
    }
}

// What a full disk must not leave behind: a batch file cut short, a partial copy. The bench mounts a
// 256 KB file system for this.
TEST(FullDisk, WritersLeaveNoPartialFileAndReportWhatTheyLost)
{
    std::string disk = benchFolder("smalldisk");
    if (disk.empty()) GTEST_SKIP() << "the bench has no small file system on this machine";
    TestFolder folder;
    writeFile("big.bin", std::string(1 << 20, 'b'));
    writeFile("small.bin", std::string(1000, 's'));
    std::string target = disk + "\\big.bin", log = disk + "\\errors.log", errors = folder.native() + "\\errors.log";
    fs::current_path(disk);
    ExecCommand command;
    command.setErrorsFilename(errors.c_str());
    EXPECT_FALSE(command.createLaunchFile("setup.exe", std::string(300 * 1024, 'a').c_str()));
    EXPECT_FALSE(fileExists("__qivlaunch.bat")) << "a batch file cut short stayed";
    fs::current_path(folder.path());
    EXPECT_EQ(readLogLines(errors), Lines{"Unable to create file __qivlaunch.bat"});
    EXPECT_FALSE(copyFile("big.bin", target.c_str()));
    EXPECT_FALSE(fileExists(target));
    EXPECT_TRUE(copyFile("small.bin", target.c_str())) << "the disk has room again";
    EXPECT_FALSE(appendFile("big.bin", log.c_str()));
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(disk, ignored)) fs::remove_all(entry.path(), ignored);
}
