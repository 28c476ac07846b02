#include "control/getparam.h"
#include "msgbox.h"
#include "regscope.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

namespace {

const char* const englishSuffix = "\n\nSee errors.log and jinstall.log files for details.";

// The record that an installation hands to the reader, its key fields filled with '?' beforehand.
struct Params {
    std::unique_ptr<ControlValues> values{new ControlValues};
    std::vector<CaughtBox> boxes;

    Params()
    {
        for (int i = 0; i < controlKeyCount; ++i) {
            const ControlKey& key = controlKeys()[i];
            std::memset(key.field(*values), '?', key.size - 1);
            key.field(*values)[key.size - 1] = '\0';
        }
    }

    std::string operator[](const char* name) const
    {
        for (int i = 0; i < controlKeyCount; ++i)
            if (std::strcmp(controlKeys()[i].name, name) == 0) return controlKeys()[i].field(*values);
        ADD_FAILURE() << "no key " << name;
        return "";
    }

    bool read()
    {
        MessageBoxCatcher catcher;
        GetParameters reader;
        bool ok = reader.getParameters(*values);
        boxes = catcher.boxes();
        for (int i = 0; i < controlKeyCount; ++i) {
            const ControlKey& key = controlKeys()[i];
            EXPECT_LT(strnlen(key.field(*values), key.size), key.size) << key.name << " is not terminated";
        }
        return ok;
    }
};

// A package folder as the installation sequence leaves it before reading: its own trace log.
struct PackageFolder : TestFolder {
    ScopedUserLocale locale{"English_United States.1252"};
    explicit PackageFolder(bool ownTraceLog = true)
    {
        writeFile("jinstall.log", "");
        if (ownTraceLog) writeFile("jinstall.sem", "");
    }
};

} // namespace

TEST(GetParameters, EmptyFileGivesTheDefaultsAndTheVersionTrace)
{
    PackageFolder folder;
    writeFile("qiv.control", "");
    Params p;
    ASSERT_TRUE(p.read());
    EXPECT_STREQ(p.values->controlFileName, "qiv.control");
    EXPECT_EQ(p["jvmRequiredVersion"], "1.1.8");
    EXPECT_EQ(p["jvmVersion"], "1.1.8");
    EXPECT_EQ(p["jvmName"], "JRE");
    EXPECT_EQ(p["jvmCommandName"], "jrew.exe");
    EXPECT_EQ(p["loaderClasspath"], ".;install.jar");
    for (const char* empty : {"jvmMinVersion", "jvmMaxVersion", "jvmSelfExtractor", "predefinedJvmInstallDir",
                              "jvmHomeDir", "jvmExtraParameters", "appletUrl", "searchForJvm"})
        EXPECT_EQ(p[empty], "") << empty;
    EXPECT_TRUE(p.boxes.empty());
    SCOPED_TRACE("jinstall.log");
    EXPECT_EQ(readLogLines("jinstall.log"), (Lines{"Valid version of jrew.exe: 1.1.8"}));
    EXPECT_FALSE(fileExists("__qiv.control"));
}

TEST(GetParameters, LauncherNameWithAndWithoutTheRunsOwnTraceLog)
{
    struct Case {
        const char* value;
        bool ownLog;
        const char* expected;
    } cases[] = {
        {"Java", true, "javaw.exe"},
        {"Java", false, "java.exe"},
        {"C:\\jdk\\bin\\java.exe", true, "c:\\jdk\\bin\\java.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.value) + (c.ownLog ? " with jinstall.sem" : " without jinstall.sem"));
        PackageFolder folder(c.ownLog);
        writeFile("qiv.control", std::string("jvmCommandName=") + c.value + "\r\n");
        Params p;
        ASSERT_TRUE(p.read());
        EXPECT_EQ(p["jvmCommandName"], c.expected);
    }
}

TEST(GetParameters, RangeOfVersionsIsTraced)
{
    PackageFolder folder;
    writeFile("qiv.control", "jvmMinVersion=1.3\njvmMaxVersion=1.6\n");
    Params p;
    ASSERT_TRUE(p.read());
    EXPECT_EQ(p["jvmRequiredVersion"], "");
    EXPECT_EQ(p["jvmVersion"], "");
    SCOPED_TRACE("jinstall.log");
    EXPECT_EQ(readLogLines("jinstall.log"), (Lines{"Valid versions of jrew.exe: 1.3 through 1.6"}));
}

TEST(GetParameters, LineEndingsAreNormalisedOnDisk)
{
    struct Case {
        const char* what;
        std::string file;
        std::string onDisk;
        const char* jvmName;
        const char* jvmVersion;
    } cases[] = {
        {"CR LF", "jvmName=A\r\njvmVersion=1.5\r\n", "jvmName=A\r\njvmVersion=1.5\r\n", "A", "1.5"},
        {"LF", "jvmName=A\njvmVersion=1.5\n", "jvmName=A\r\njvmVersion=1.5\r\n", "A", "1.5"},
        {"lone CR: one line, only its first key counts", "jvmName=A\rjvmVersion=1.5\r",
         "jvmName=AjvmVersion=1.5", "AjvmVersion=1.5", "1.1.8"},
        {"0x1A ends the reading but stays in the file", "jvmName=A\r\n\x1AjvmVersion=1.5\r\n",
         "jvmName=A\r\n\x1AjvmVersion=1.5\r\n", "A", "1.1.8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PackageFolder folder;
        writeFile("qiv.control", c.file);
        Params p;
        ASSERT_TRUE(p.read());
        EXPECT_EQ(readFile("qiv.control"), c.onDisk);
        EXPECT_EQ(p["jvmName"], c.jvmName);
        EXPECT_EQ(p["jvmVersion"], c.jvmVersion);
        EXPECT_FALSE(fileExists("__qiv.control"));
    }
}

TEST(GetParameters, SeparatorsRepeatedKeysAndIgnoredLines)
{
    PackageFolder folder;
    writeFile("qiv.control", "# comment\r\n"
                             "jvmName:My JVM\r\n"
                             "JvmVersion=9\r\n"
                             " jvmMinVersion=9\r\n"
                             "jvmMinVersion=1.3\r\n"
                             "jvmMinVersion=1.4\r\n"
                             "searchForJvm=NONE\r\n"
                             "appletUrl=http://host/page.html \r\n"
                             "predefinedJvmInstallDir=//server/share\r\n");
    Params p;
    ASSERT_TRUE(p.read());
    EXPECT_EQ(p["jvmName"], "My JVM");
    EXPECT_EQ(p["jvmMinVersion"], "1.4");
    EXPECT_EQ(p["jvmRequiredVersion"], "");
    EXPECT_EQ(p["jvmVersion"], "");
    EXPECT_EQ(p["searchForJvm"], "NONE");
    EXPECT_EQ(p["appletUrl"], "http://host/page.html ");
    EXPECT_EQ(p["predefinedJvmInstallDir"], "\\\\server\\share");
}

TEST(GetParameters, LineOf1500CharactersIsReadAsTwoLines)
{
    PackageFolder folder;
    std::string head = "jvmExtraParameters=" + std::string(998 - 19, 'a');
    std::string tail = "appletUrl=http://x/" + std::string(1500 - head.size() - 19, 'b');
    writeFile("qiv.control", head + tail + "\r\n");
    Params p;
    ASSERT_TRUE(p.read());
    EXPECT_EQ(p["jvmExtraParameters"], std::string(979, 'a'));
    EXPECT_EQ(p["appletUrl"], tail.substr(10));
}

TEST(GetParameters, TooLongValueIsRefusedWithAClearLine)
{
    PackageFolder folder;
    writeFile("qiv.control", "jvmRequiredVersion=1.4\r\njvmRequiredVersion=" + std::string(300, '1') + "\r\n");
    Params p;
    ASSERT_TRUE(p.read());
    EXPECT_EQ(p["jvmRequiredVersion"], "1.4");
    SCOPED_TRACE("errors.log");
    EXPECT_EQ(readLogLines("errors.log"),
              (Lines{"value too long in qiv.control, line ignored: jvmRequiredVersion (300 characters, at most 200)"}));
}

TEST(GetParameters, MissingFileShowsTheErrorAndCreatesNoCopy)
{
    PackageFolder folder;
    Params p;
    EXPECT_FALSE(p.read());
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0].text, std::string("Unable to open qiv.control") + englishSuffix);
    EXPECT_EQ(p.boxes[0].title, "Quivrell Installer: Error");
    EXPECT_FALSE(fileExists("__qiv.control"));
    SCOPED_TRACE("errors.log");
    EXPECT_EQ(readLogLines("errors.log"), (Lines{"Unable to open qiv.control"}));
    EXPECT_EQ(readLogLines("jinstall.log"), (Lines{})) << "the plain log operation does not trace";
}

TEST(GetParameters, ControlFileThatCannotBeReplacedStaysAsItWas)
{
    PackageFolder folder;
    writeFile("qiv.control", "jvmName=A\njvmVersion=1.5\n");
    // Another program holds the file open and does not share it for deletion: it can be read but
    // not replaced.
    HANDLE held = CreateFileA("qiv.control", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Params p;
    bool ok = p.read();
    CloseHandle(held);
    EXPECT_FALSE(ok);
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0].text, std::string("Unable to convert line endings for qiv.control") + englishSuffix);
    EXPECT_EQ(readFile("qiv.control"), "jvmName=A\njvmVersion=1.5\n");
    EXPECT_FALSE(fileExists("__qiv.control"));
    SCOPED_TRACE("errors.log");
    EXPECT_EQ(readLogLines("errors.log"), (Lines{"Unable to convert line endings for qiv.control"}));
}

TEST(GetParameters, ReadOnlyFolderGivesTheConversionError)
{
    const char* unixDir = std::getenv("QIV_READONLY_DIR");
    const char* bench = std::getenv("QIV_BENCH");
    ASSERT_TRUE(unixDir && bench) << "run under tools/winebench";
    if (fileExists(std::string("Z:") + bench + "/readonly.unavailable"))
        GTEST_SKIP() << "the bench could not make a read-only folder on this machine";
    std::string dir = std::string("Z:") + unixDir;
    for (char& c : dir)
        if (c == '/') c = '\\';
    std::string before = readFile(dir + "\\qiv.control");
    ASSERT_FALSE(before.empty());

    ScopedUserLocale locale("English_United States.1252");
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    Params p;
    bool ok = p.read();
    std::filesystem::current_path(previous);

    EXPECT_FALSE(ok);
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0].text, std::string("Unable to convert line endings for qiv.control") + englishSuffix);
    EXPECT_EQ(readFile(dir + "\\qiv.control"), before);
}

// Bad input never crashes, never overruns a buffer and never loses the file.
TEST(GetParameters, HostileInputIsReadSafely)
{
    std::mt19937 random(20261207);
    std::string randomBytes(200000, '\0');
    for (char& c : randomBytes) c = static_cast<char>(random() & 0xFF);
    std::string big;
    big.reserve(10u << 20);
    while (big.size() < (10u << 20)) big += "jvmVersion=1.4.2_05\r\nloaderJavaCommand=com.example.Main -x\r\n";
    big += "jvmName=Last\r\n";

    struct Case {
        const char* what;
        std::string file;
        const char* jvmName; // null: anything that fits
    } cases[] = {
        {"a 100,000-character line", "jvmName=" + std::string(100000, 'n') + "\r\njvmVersion=1.6\r\n", "JRE"},
        {"a 10 MB control file", big, "Last"},
        {"random bytes", randomBytes, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PackageFolder folder;
        writeFile("qiv.control", c.file);
        Params p;
        EXPECT_TRUE(p.read());
        EXPECT_TRUE(p.boxes.empty());
        EXPECT_FALSE(fileExists("__qiv.control"));
        std::string after = readFile("qiv.control");
        std::string expected;
        for (std::size_t i = 0; i < c.file.size(); ++i) {
            if (c.file[i] == '\r') continue;
            if (c.file[i] == '\n') expected += '\r';
            expected += c.file[i];
        }
        EXPECT_TRUE(after == expected) << "the rewritten file differs from the original beyond its line ends";
        if (c.jvmName) {
            EXPECT_EQ(p["jvmName"], c.jvmName);
        }
    }
}
