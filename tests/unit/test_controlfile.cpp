#include "control/controlfile.h"
#include "support/textfile.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// A record whose key fields start out filled with '?', so that an untouched or unterminated field shows.
struct Values {
    std::unique_ptr<ControlValues> record{new ControlValues};
    std::vector<std::pair<std::string, std::string>> traces;
    std::vector<std::string> refused;

    Values()
    {
        for (int i = 0; i < controlKeyCount; ++i) {
            const ControlKey& key = controlKeys()[i];
            std::memset(key.field(*record), '?', key.size);
        }
    }

    std::string operator[](const char* name) const
    {
        for (int i = 0; i < controlKeyCount; ++i)
            if (std::strcmp(controlKeys()[i].name, name) == 0) return controlKeys()[i].field(*record);
        ADD_FAILURE() << "no key " << name;
        return "";
    }

    void parse(const std::string& bytes)
    {
        TestFolder folder;
        writeFile("qiv.control", bytes);
        UniqueFile in("qiv.control", "rb");
        ASSERT_TRUE(in);
        ControlParseEvents events;
        events.trace = [this](const char* a, const char* b) { traces.emplace_back(a, b); };
        events.valueTooLong = [this](const ControlKey& key, std::size_t) { refused.push_back(key.name); };
        parseControlText(in.get(), *record, events);
    }
};

} // namespace

TEST(ControlKeys, EachKeyFillsTheFieldOfItsNameWithinItsSize)
{
    ControlValues values;
    auto at = [&](const char* field) { return static_cast<std::size_t>(field - reinterpret_cast<char*>(&values)); };
    std::map<std::string, std::pair<std::size_t, std::size_t>> expected = {
        {"jvmRequiredVersion", {at(values.jvmRequiredVersion), 201}},
        {"jvmMinVersion", {at(values.jvmMinVersion), 201}},
        {"jvmMaxVersion", {at(values.jvmMaxVersion), 201}},
        {"jvmVersion", {at(values.jvmVersion), 201}},
        {"jvmName", {at(values.jvmName), 201}},
        {"jvmCommandName", {at(values.jvmCommandName), 5001}},
        {"jvmSelfExtractor", {at(values.jvmSelfExtractor), 5000}},
        {"predefinedJvmInstallDir", {at(values.predefinedJvmInstallDir), 5000}},
        {"jvmHomeDir", {at(values.jvmHomeDir), 5001}},
        {"jvmExtraParameters", {at(values.jvmExtraParameters), 5000}},
        {"jvmClasspathSwitch", {at(values.jvmClasspathSwitch), 1000}},
        {"loaderClasspath", {at(values.loaderClasspath), 5000}},
        {"loaderJavaCommand", {at(values.loaderJavaCommand), 5000}},
        {"systemSecurityPolicyFilename", {at(values.systemSecurityPolicyFilename), 5001}},
        {"userSecurityPolicyFilename", {at(values.userSecurityPolicyFilename), 5001}},
        {"keystoreFilename", {at(values.keystoreFilename), 5001}},
        {"appletUrl", {at(values.appletUrl), 5000}},
        {"startGuiCommand", {at(values.startGuiCommand), 1000}},
        {"checkGuiRunningCommand", {at(values.checkGuiRunningCommand), 1000}},
        {"searchForJvm", {at(values.searchForJvm), 100}},
    };
    for (int i = 0; i < controlKeyCount; ++i) {
        const ControlKey& key = controlKeys()[i];
        auto it = expected.find(key.name);
        ASSERT_NE(it, expected.end()) << key.name;
        EXPECT_EQ(at(key.field(values)), it->second.first) << key.name;
        EXPECT_EQ(key.size, it->second.second) << key.name;
        expected.erase(it);
    }
    EXPECT_TRUE(expected.empty());
    // Lines are tested in table order, which is not the order of the fields.
    EXPECT_STREQ(controlKeys()[6].name, "jvmExtraParameters");
    EXPECT_STREQ(controlKeys()[9].name, "loaderClasspath");
}

TEST(ControlKeys, LinesMatchAtTheirFirstCharacterAndCaseSensitively)
{
    struct Case {
        const char* line;
        const char* key;
        const char* value;
    } cases[] = {
        {"jvmName=My JVM ", "jvmName", "My JVM "},
        {"jvmName:My JVM", "jvmName", "My JVM"},
        {"jvmName", "jvmName", ""},
        {"jvmName=", "jvmName", ""},
        {"jvmVersionX=1", "jvmVersion", "=1"},
        {"jvmNameX", "jvmName", ""},
        {"JvmName=x", nullptr, nullptr},
        {" jvmName=x", nullptr, nullptr},
        {"# jvmName=x", nullptr, nullptr},
        {"", nullptr, nullptr},
        {"searchForJvm=none", "searchForJvm", "none"},
    };
    for (const Case& c : cases) {
        const ControlKey* key = matchControlKey(c.line);
        if (!c.key) {
            EXPECT_EQ(key, nullptr) << c.line;
            continue;
        }
        ASSERT_NE(key, nullptr) << c.line;
        EXPECT_STREQ(key->name, c.key);
        EXPECT_STREQ(controlValue(c.line, key->name), c.value) << c.line;
    }
}

TEST(ParseControlText, ValuesLongerThanTheirBufferAreRefusedAndReported)
{
    std::string long201(201, '1');
    std::string fits200(200, '2');
    Values v;
    v.parse("jvmRequiredVersion=1.4\njvmRequiredVersion=" + long201 + "\njvmVersion=" + fits200 +
            "\nsearchForJvm=" + std::string(100, 'n') + "\n");
    EXPECT_EQ(v["jvmRequiredVersion"], "1.4") << "the refused line leaves the earlier value";
    EXPECT_EQ(v["jvmVersion"], fits200);
    EXPECT_EQ(v["searchForJvm"], "");
    EXPECT_EQ(v.refused, (std::vector<std::string>{"jvmRequiredVersion", "searchForJvm"}));
}

TEST(ParseControlText, CleansSwitchesAndInstallFolderRightAfterTheCopy)
{
    Values v;
    v.parse("jvmExtraParameters=-Dp=\\\"a b\\\" -Dq=C:\\\\dir\\\\\n"
            "predefinedJvmInstallDir=C\\:\\\\Program Files\\\\App\n"
            "jvmHomeDir=C\\:\\\\x\n");
    EXPECT_EQ(v["jvmExtraParameters"], "-Dp=\"a b\" -Dq=C:\\dir\\");
    EXPECT_EQ(v["predefinedJvmInstallDir"], "C:\\Program Files\\App");
    EXPECT_EQ(v["jvmHomeDir"], "C\\:\\\\x") << "other values keep their backslashes";
    ASSERT_FALSE(v.traces.empty());
    EXPECT_EQ(v.traces.front().first, "initial jvm switches for installer");
    EXPECT_EQ(v.traces.back().first, "final jvm switches for installer");
}

TEST(ParseControlText, EmbeddedNulEndsTheValue)
{
    static const char bytes[] = "jvmName=ab\0cd\njvmVersion=1.5\n";
    Values v;
    v.parse(std::string(bytes, sizeof bytes - 1));
    EXPECT_EQ(v["jvmName"], "ab");
    EXPECT_EQ(v["jvmVersion"], "1.5");
}

TEST(ConvertLineEndings, EndsEveryLineWithTheGivenLineEndAndDropsLoneCr)
{
    struct Case {
        std::string in, out;
    } cases[] = {
        {"a\r\nb\r\n", "a|b|"},
        {"a\nb", "a|b"},
        {"a\rb\rc\n", "abc|"},
        {"a\r\r\nb", "a|b"},
        {"", ""},
        {"x=1\r\n\x1A" "tail\r\n", "x=1|\x1A" "tail|"},
    };
    for (const Case& c : cases) {
        TestFolder folder;
        writeFile("in", c.in);
        {
            UniqueFile in("in", "rb"), out("out", "wb");
            ASSERT_TRUE(in && out);
            EXPECT_TRUE(convertLineEndingsText(in.get(), out.get(), "|"));
        }
        EXPECT_EQ(readFile("out"), c.out) << "input \"" << c.in << "\"";
    }
}

TEST(IsFilenameChar, RejectsTheNineReservedCharacters)
{
    for (char c : std::string("\\/:*?\"<>|")) EXPECT_FALSE(isFilenameChar(c)) << c;
    for (char c : std::string("aZ09 .-_$\t\x80")) EXPECT_TRUE(isFilenameChar(c)) << c;
    EXPECT_TRUE(isFilenameChar('\0'));
}

TEST(RemoveExtraBackSlashes, RemovesBackslashesBeforeReservedCharacters)
{
    struct Case {
        const char *in, *out;
    } cases[] = {
        {"-Dp=\\\"a b\\\"", "-Dp=\"a b\""},
        {"C:\\\\dir\\\\", "C:\\dir\\"},
        {"\\\\\\\\x", "\\x"},
        {"a\\\\\\:b", "a:b"},
        {"\\", "\\"},
        {"\\\\", "\\"},
        {"plain", "plain"},
        {"", ""},
    };
    for (const Case& c : cases) {
        std::string text = c.in;
        std::vector<std::string> steps;
        removeExtraBackSlashes(text.data(), [&](const char* first, const char* second) {
            steps.push_back(std::string(first) + "|" + second);
        });
        text.resize(std::strlen(text.c_str()));
        EXPECT_EQ(text, c.out) << "input " << c.in;
        ASSERT_GE(steps.size(), 2u);
        EXPECT_EQ(steps.front(), std::string("initial jvm switches for installer|") + c.in);
        EXPECT_EQ(steps.back(), std::string("final jvm switches for installer|") + c.out);
        // Every deletion is traced as a before/after pair that differ by one backslash.
        EXPECT_EQ((steps.size() - 2) / 2, std::strlen(c.in) - std::strlen(c.out));
    }
}

TEST(RemoveExtraBackSlashes, TracesTheWholeStringAroundEachDeletion)
{
    std::string text = "a\\\\b";
    std::vector<std::string> steps;
    removeExtraBackSlashes(text.data(), [&](const char* first, const char* second) {
        steps.push_back(std::string(first) + "|" + second);
    });
    EXPECT_EQ(steps, (std::vector<std::string>{"initial jvm switches for installer|a\\\\b",
                                               "  before extra back slash removed|a\\\\b",
                                               "  after extra back slash removed|a\\b",
                                               "final jvm switches for installer|a\\b"}));
}

TEST(NormaliseSeparators, HalvesBackslashRunsAndTurnsSlashes)
{
    struct Case {
        const char *in, *out;
    } cases[] = {
        {"C\\:\\\\Program Files\\\\App", "C:\\Program Files\\App"},
        {"\\\\\\\\server", "\\\\server"},
        {"//server/share", "\\\\server\\share"},
        {"\\\\\\x", "\\\\x"},
        {"C:\\App\\", "C:\\App\\"},
        {"\\", "\\"},
        {"a\\:", "a:"},
        {"", ""},
    };
    for (const Case& c : cases) {
        std::string text = c.in;
        normaliseSeparators(text.data());
        EXPECT_STREQ(text.c_str(), c.out) << "input " << c.in;
    }
}

TEST(VerifyControlValues, VersionDefaults)
{
    struct Case {
        const char *required, *min, *version;
        const char *outRequired, *outVersion;
    } cases[] = {
        {"", "", "", "1.1.8", "1.1.8"},
        {"", "", "1.4.2", "1.4.2", "1.4.2"},
        {"", "1.3", "", "", ""},
        {"1.5", "", "", "1.5", "1.5"},
        {"1.5", "1.3", "1.6", "1.5", "1.6"},
    };
    for (const Case& c : cases) {
        auto values = std::make_unique<ControlValues>();
        std::strcpy(values->jvmRequiredVersion, c.required);
        std::strcpy(values->jvmMinVersion, c.min);
        std::strcpy(values->jvmVersion, c.version);
        verifyControlValues(*values, false);
        EXPECT_STREQ(values->jvmRequiredVersion, c.outRequired);
        EXPECT_STREQ(values->jvmVersion, c.outVersion);
        EXPECT_STREQ(values->jvmMinVersion, c.min);
        EXPECT_STREQ(values->jvmName, "JRE");
        EXPECT_STREQ(values->loaderClasspath, ".;install.jar");
    }
}

TEST(VerifyControlValues, LauncherNameNormalisation)
{
    struct Case {
        const char* in;
        const char* windowless; // no trace log of the user's: the windowless launcher
        const char* console;    // a trace log that was there before the run
    } cases[] = {
        {"", "jrew.exe", "jre.exe"},
        {"Java", "javaw.exe", "java.exe"},
        {"jre.sh", "jrew.exe", "jre.exe"},
        {"start.BAT", "start.bat", "start.bat"},
        {"run.com", "run.com", "run.com"},
        {"JAVA.EXE", "javaw.exe", "java.exe"},
        {"java.exe.old", "javaw.exe", "java.exe.old"},
        {"jre.exe2", "jrew.exe", "jre.exe2"},
        {"javaw", "javaw.exe", "javaw.exe"},
        {"C:\\jdk\\bin\\java.exe", "c:\\jdk\\bin\\java.exe", "c:\\jdk\\bin\\java.exe"},
        {"my.launcher.v2", "my.exe", "my.exe"},
    };
    for (const Case& c : cases) {
        for (bool console : {false, true}) {
            auto values = std::make_unique<ControlValues>();
            std::strcpy(values->jvmRequiredVersion, "1.4");
            std::strcpy(values->jvmCommandName, c.in);
            verifyControlValues(*values, console);
            EXPECT_STREQ(values->jvmCommandName, console ? c.console : c.windowless) << "\"" << c.in << "\"";
        }
    }
}

TEST(VerifyControlValues, LongestLauncherNameStaysInsideItsBuffer)
{
    auto values = std::make_unique<ControlValues>();
    std::strcpy(values->jvmRequiredVersion, "1.4");
    std::memset(values->jvmCommandName, 'A', launcherNameSize - 1);
    verifyControlValues(*values, false);
    EXPECT_EQ(strnlen(values->jvmCommandName, launcherNameSize), launcherNameSize - 1);
    EXPECT_EQ(values->jvmCommandName[0], 'a');
}

TEST(ValidVersionsLine, NamesTheRequiredVersionOrTheRange)
{
    auto values = std::make_unique<ControlValues>();
    char line[1000];
    std::strcpy(values->jvmCommandName, "jrew.exe");
    std::strcpy(values->jvmRequiredVersion, "1.1.8");
    validVersionsLine(line, sizeof line, *values);
    EXPECT_STREQ(line, "Valid version of jrew.exe: 1.1.8");
    values->jvmRequiredVersion[0] = '\0';
    std::strcpy(values->jvmMinVersion, "1.3");
    std::strcpy(values->jvmMaxVersion, "1.6");
    validVersionsLine(line, sizeof line, *values);
    EXPECT_STREQ(line, "Valid versions of jrew.exe: 1.3 through 1.6");
    std::memset(values->jvmCommandName, 'n', 1200);
    validVersionsLine(line, sizeof line, *values);
    EXPECT_EQ(std::strlen(line), sizeof line - 1);
}
