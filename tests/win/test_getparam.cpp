// Reading qiv.control on a real disk: the CR LF rewrite, the traces and logs around it, and the
// failures that must leave the file as it was.
#include "control/getparam.h"
#include "msgbox.h"
#include "regscope.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {
// Reads into a record whose key fields are filled with '?' beforehand; checks that each ends inside its field.
struct Params {
    std::unique_ptr<ControlValues> values{new ControlValues};
    std::vector<CaughtBox> boxes;
    ScopedUserLocale locale{"English_United States.1252"};

    bool read()
    {
        for (int i = 0; i < controlKeyCount; ++i) {
            char* field = controlKeys()[i].field(*values);
            std::memset(field, '?', controlKeys()[i].size - 1);
            field[controlKeys()[i].size - 1] = '\0';
        }
        MessageBoxCatcher catcher;
        bool ok = GetParameters().getParameters(*values);
        boxes = catcher.boxes();
        for (int i = 0; i < controlKeyCount; ++i)
            EXPECT_LT(strnlen(controlKeys()[i].field(*values), controlKeys()[i].size), controlKeys()[i].size)
                << controlKeys()[i].name << " is not terminated";
        return ok;
    }
};

std::string withCrLf(const std::string& bytes)
{
    std::string out;
    for (char c : bytes) out += c == '\n' ? std::string("\r\n") : c == '\r' ? std::string() : std::string(1, c);
    return out;
}
} // namespace

// One file through the three kinds of trace log: values too long refused, a 1,500-character line read
// as two, a repeated key, and a 0x1A, which ends the reading but not the rewrite. Every field not named
// is cleared and completed; the file is rewritten whole with CR LF.
TEST(GetParameters, ReadsTheRewrittenFileForEachKindOfTraceLog)
{
    struct Case {
        const char* what;
        bool traceLog, ownMarker;
        const char* launcher;
    } cases[] = {
        {"a trace log made by this run", true, true, "jrew.exe"},
        {"the user's own trace log", true, false, "jre.exe"},
        {"no trace log", false, false, "jrew.exe"},
    };
    std::string head = "loaderJavaCommand=" + std::string(980, 'a');
    std::string tail = "appletUrl=http://x/" + std::string(502, 'b');
    std::string file = "jvmMinVersion=1.3\njvmMinVersion=1.4\r\njvmMaxVersion=1.6\njvmRequiredVersion=" +
                       std::string(300, '1') + "\njvmName=" + std::string(100000, 'n') + "\r\n" + head + tail +
                       "\n\x1AjvmName=after the end\rof the text\n";
    // A line longer than a read piece is refused for the length of its first piece.
    Lines refused = {"value too long in qiv.control, line ignored: jvmRequiredVersion (300 characters, at most 200)",
                     "value too long in qiv.control, line ignored: jvmName (990 characters, at most 200)"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestFolder folder;
        writeFile("qiv.control", file);
        if (c.traceLog) writeFile("jinstall.log", "");
        if (c.ownMarker) writeFile("jinstall.sem", "");
        Params p;
        ASSERT_TRUE(p.read());
        EXPECT_TRUE(p.boxes.empty());
        EXPECT_TRUE(readFile("qiv.control") == withCrLf(file)) << "qiv.control is not the CR LF copy";
        EXPECT_FALSE(fileExists("__qiv.control"));
        EXPECT_STREQ(p.values->controlFileName, "qiv.control");
        std::map<std::string, std::string> expected = {
            {"jvmMinVersion", "1.4"},         {"jvmMaxVersion", "1.6"},   {"jvmName", "JRE"},
            {"jvmCommandName", c.launcher},    {"loaderClasspath", ".;install.jar"},
            {"loaderJavaCommand", head.substr(18)}, {"appletUrl", tail.substr(10)}};
        for (int i = 0; i < controlKeyCount; ++i)
            EXPECT_EQ(controlKeys()[i].field(*p.values), expected[controlKeys()[i].name]) << controlKeys()[i].name;
        EXPECT_EQ(readLogLines("errors.log"), refused);
        Lines trace = refused;
        trace.push_back(std::string("Valid versions of ") + c.launcher + ": 1.4 through 1.6");
        EXPECT_EQ(readLogLines("jinstall.log"), c.traceLog ? trace : Lines{});
    }
}

// What keeps the control file from being opened or converted leaves it as it was, with one error box;
// a file that is only kept from being replaced is read as it is.
TEST(GetParameters, FileThatCannotBeReplacedStaysAsItWas)
{
    const char* const convert = "Unable to convert line endings for qiv.control";
    const char* const replace = "Unable to replace qiv.control; it is read as it is";
    enum Hold { none, locked, readOnly };
    struct Case {
        const char* what;
        const char* benchFolder; // null: a folder of the test's own, with a trace log
        std::string file;        // empty: none, or the bench's own
        Hold hold;
        const char* message;
    } cases[] = {
        {"missing", nullptr, "", none, "Unable to open qiv.control"},
        {"held open without delete sharing", nullptr, "jvmName=A\njvmVersion=1.5\n", locked, replace},
        {"read-only", nullptr, "jvmName=A\njvmVersion=1.5\n", readOnly, replace},
        {"in a read-only folder", "readonly", "", none, convert},
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
        if (!c.file.empty()) writeFile("qiv.control", c.file);
        std::string before = readFile("qiv.control");
        ASSERT_EQ(before.empty(), own && c.file.empty());
        HANDLE held = c.hold == locked ? CreateFileA("qiv.control", GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                                       : nullptr;
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        if (c.hold == readOnly) SetFileAttributesA("qiv.control", FILE_ATTRIBUTE_READONLY);
        Params p;
        bool readsOn = c.message == replace;
        EXPECT_EQ(p.read(), readsOn);
        if (held) CloseHandle(held);
        SetFileAttributesA("qiv.control", FILE_ATTRIBUTE_NORMAL);
        EXPECT_TRUE(readFile("qiv.control") == before) << "qiv.control was changed";
        EXPECT_FALSE(fileExists("__qiv.control"));
        Lines boxes, box{"Quivrell Installer: Error: " + std::string(c.message) + "\n\nSee errors.log and jinstall.log files for details."};
        for (const CaughtBox& caught : p.boxes) boxes.push_back(caught.title + ": " + caught.text);
        EXPECT_EQ(boxes, readsOn ? Lines{} : box);
        if (readsOn) {
            EXPECT_EQ(std::string(p.values->jvmName) + "|" + p.values->jvmRequiredVersion, "A|1.5");
        }
        if (own) {
            EXPECT_EQ(readLogLines("errors.log"), Lines{c.message});
            Lines trace = readsOn ? Lines{replace, "Valid version of jre.exe: 1.5"} : Lines{};
            EXPECT_EQ(readLogLines("jinstall.log"), trace) << "a failure to read is logged, not traced";
        }
        if (!own && !c.file.empty())
            for (const auto& entry : fs::directory_iterator(".")) fs::remove_all(entry.path());
        fs::current_path(previous);
    }
}
