// Reading qiv.control on a real disk: the CR LF rewrite, the logs around it, and the failures that must
// leave the file as it was.
#include "control/getparam.h"
#include "support/handles.h"
#include "msgbox.h"
#include "regscope.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {
struct Params {
    std::unique_ptr<ControlValues> values{new ControlValues}; // 64 KB: not on the stack
    std::vector<CaughtBox> boxes;
    ScopedUserLocale locale{"English_United States.1252"};

    bool read()
    {
        MessageBoxCatcher catcher;
        bool ok = GetParameters().getParameters(*values);
        boxes = catcher.boxes();
        return ok;
    }
};
} // namespace

// The file is rewritten whole with CR LF, also past a 0x1A, which ends the reading; a value too long is
// refused into errors.log and the trace log.
TEST(GetParameters, RewritesTheFileAndLogsWhatItRefused)
{
    TestFolder folder;
    writeFile("qiv.control", "jvmMinVersion=1.4\njvmRequiredVersion=" + std::string(300, '1') + "\r\njvmName=N\n"
                             "\x1AjvmName=after the end\rof the text\n");
    writeFile("jinstall.log", "");
    Params p;
    ASSERT_TRUE(p.read());
    EXPECT_TRUE(p.boxes.empty());
    EXPECT_TRUE(readFile("qiv.control") == "jvmMinVersion=1.4\r\njvmRequiredVersion=" + std::string(300, '1') +
                                               "\r\njvmName=N\r\n\x1AjvmName=after the endof the text\r\n")
        << "qiv.control is not the CR LF copy";
    EXPECT_FALSE(fileExists("__qiv.control"));
    EXPECT_EQ(std::string(p.values->jvmName) + "|" + p.values->jvmMinVersion, "N|1.4");
    const std::string refused =
        "value too long in qiv.control, line ignored: jvmRequiredVersion (300 characters, at most 200)";
    EXPECT_EQ(readLogLines("errors.log"), Lines{refused});
    // The console launcher, for a trace log of the user's.
    EXPECT_EQ(readLogLines("jinstall.log"), (Lines{refused, "Valid versions of jre.exe: 1.4 through "}));
}

// What keeps the control file from being converted leaves it as it was, with one error box; a file that
// is only kept from being replaced is read as it is (an unreadable one is the whole run's test).
TEST(GetParameters, FileThatCannotBeReplacedStaysAsItWas)
{
    const char* const convert = "Unable to convert line endings for qiv.control";
    const char* const replace = "Unable to replace qiv.control; it is read as it is";
    enum Hold { none, locked, readOnly };
    struct Case { const char *what, *benchFolder; std::string file; Hold hold; const char* message; } cases[] = {
        // benchFolder null: a folder of the test's own, with a trace log
        {"held open without delete sharing", nullptr, "jvmName=A\njvmVersion=1.5\n", locked, replace},
        {"read-only", nullptr, "jvmName=A\njvmVersion=1.5\n", readOnly, replace},
        {"on a full disk", "smalldisk", "jvmName=Kept\n" + std::string(150 * 1024, '#') + "\n", none, convert},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<TestFolder> own(c.benchFolder ? nullptr : new TestFolder);
        std::string dir = own ? own->native() : benchFolder(c.benchFolder);
        if (dir.empty()) {
            std::printf("[ SKIPPED  ] %s: the bench has no such folder here\n", c.what);
            continue;
        }
        fs::path previous = fs::current_path();
        fs::current_path(dir);
        if (own) writeFile("jinstall.log", "");
        writeFile("qiv.control", c.file);
        UniqueFileHandle held(c.hold != locked ? INVALID_HANDLE_VALUE : CreateFileA("qiv.control", GENERIC_READ,
                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_EQ(held.get() != INVALID_HANDLE_VALUE, c.hold == locked);
        if (c.hold == readOnly) SetFileAttributesA("qiv.control", FILE_ATTRIBUTE_READONLY);
        Params p;
        bool readsOn = c.message == replace;
        EXPECT_EQ(p.read(), readsOn);
        held.reset();
        SetFileAttributesA("qiv.control", FILE_ATTRIBUTE_NORMAL);
        EXPECT_TRUE(readFile("qiv.control") == c.file) << "qiv.control was changed";
        EXPECT_FALSE(fileExists("__qiv.control"));
        EXPECT_EQ(p.boxes.size(), readsOn ? 0u : 1u);
        if (own) { // the rows of the test's own folder are those read as they are
            EXPECT_EQ(std::string(p.values->jvmName) + "|" + p.values->jvmRequiredVersion, "A|1.5");
            EXPECT_EQ(readLogLines("errors.log"), Lines{c.message});
        }
        if (!own)
            for (const auto& entry : fs::directory_iterator(".")) fs::remove_all(entry.path());
        fs::current_path(previous);
    }
}
