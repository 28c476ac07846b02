#include "control/controlfile.h"
#include "control/singlekey.h"
#include "support/textfile.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

using Words = std::vector<std::string>;

namespace {
template <class Out = std::string, class In = const char*, class F>
void eachRow(F f, std::initializer_list<std::pair<In, Out>> rows)
{
    for (const auto& [in, want] : rows) EXPECT_EQ(Out(f(in)), want) << "input \"" << in << '"';
}

// A record whose key fields start out filled with '?', so that an untouched or unterminated field shows.
struct Values {
    std::unique_ptr<ControlValues> record{new ControlValues};
    std::vector<std::pair<std::string, std::string>> traces;
    Words refused;

    Values()
    {
        for (int i = 0; i < controlKeyCount; ++i) std::memset(controlKeys()[i].field(*record), '?', controlKeys()[i].size);
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

// The values after verifyControlValues of a record holding the given ones.
std::unique_ptr<ControlValues> verified(const char* required, const char* min, const char* version,
                                        const char* launcher = "", bool console = false)
{
    auto values = std::make_unique<ControlValues>();
    std::strcpy(values->jvmRequiredVersion, required);
    std::strcpy(values->jvmMinVersion, min);
    std::strcpy(values->jvmVersion, version);
    std::strcpy(values->jvmCommandName, launcher);
    verifyControlValues(*values, console);
    return values;
}
} // namespace

// Lines are tested in table order, which is not the order of the fields.
TEST(ControlKeys, EachKeyFillsTheFieldOfItsNameWithinItsSize)
{
    ControlValues v;
    auto at = [&](const char* field) { return static_cast<std::size_t>(field - reinterpret_cast<char*>(&v)); };
    std::map<std::string, std::pair<std::size_t, std::size_t>> expected = {
        {"jvmRequiredVersion", {at(v.jvmRequiredVersion), 201}}, {"jvmMinVersion", {at(v.jvmMinVersion), 201}},
        {"jvmMaxVersion", {at(v.jvmMaxVersion), 201}}, {"jvmVersion", {at(v.jvmVersion), 201}},
        {"jvmName", {at(v.jvmName), 201}}, {"jvmCommandName", {at(v.jvmCommandName), 5001}},
        {"jvmSelfExtractor", {at(v.jvmSelfExtractor), 5000}}, {"jvmHomeDir", {at(v.jvmHomeDir), 5001}},
        {"predefinedJvmInstallDir", {at(v.predefinedJvmInstallDir), 5000}},
        {"jvmExtraParameters", {at(v.jvmExtraParameters), 5000}}, {"appletUrl", {at(v.appletUrl), 5000}},
        {"jvmClasspathSwitch", {at(v.jvmClasspathSwitch), 1000}}, {"loaderClasspath", {at(v.loaderClasspath), 5000}},
        {"loaderJavaCommand", {at(v.loaderJavaCommand), 5000}}, {"keystoreFilename", {at(v.keystoreFilename), 5001}},
        {"systemSecurityPolicyFilename", {at(v.systemSecurityPolicyFilename), 5001}},
        {"userSecurityPolicyFilename", {at(v.userSecurityPolicyFilename), 5001}},
        {"startGuiCommand", {at(v.startGuiCommand), 1000}}, {"searchForJvm", {at(v.searchForJvm), 100}},
        {"checkGuiRunningCommand", {at(v.checkGuiRunningCommand), 1000}}};
    for (int i = 0; i < controlKeyCount; ++i) {
        const ControlKey& key = controlKeys()[i];
        auto it = expected.find(key.name);
        ASSERT_NE(it, expected.end()) << key.name;
        EXPECT_EQ(std::make_pair(at(key.field(v)), key.size), it->second) << key.name;
        expected.erase(it);
    }
    EXPECT_TRUE(expected.empty());
    EXPECT_STREQ(controlKeys()[6].name, "jvmExtraParameters");
    EXPECT_STREQ(controlKeys()[9].name, "loaderClasspath");
}

// Lines match at their first character and case-sensitively; "-" stands for no key.
TEST(ControlKeys, LineMatchAndValue)
{
    eachRow([](const char* line) {
        const ControlKey* key = matchControlKey(line);
        return key ? std::string(key->name) + "|" + controlValue(line, key->name) : "-";
    }, {{"jvmName=My JVM ", "jvmName|My JVM "}, {"jvmName:My JVM", "jvmName|My JVM"}, {"jvmName", "jvmName|"},
        {"jvmName=", "jvmName|"}, {"jvmVersionX=1", "jvmVersion|=1"}, {"jvmNameX", "jvmName|"}, {"JvmName=x", "-"},
        {" jvmName=x", "-"}, {"# jvmName=x", "-"}, {"", "-"}, {"searchForJvm=none", "searchForJvm|none"}});
}

// A refused line leaves the earlier value; an embedded NUL ends a value; the switches and the install
// folder are cleaned right after the copy, other values keep their backslashes.
TEST(ParseControlText, RefusesTooLongValuesAndCleansSwitchesAndFolder)
{
    Values v;
    v.parse("jvmRequiredVersion=1.4\njvmRequiredVersion=" + std::string(201, '1') + "\njvmVersion=" +
            std::string(200, '2') + "\nsearchForJvm=" + std::string(100, 'n') + "\n" +
            std::string("jvmName=ab\0cd\n", 14) + "jvmExtraParameters=-Dp=\\\"a b\\\" -Dq=C:\\\\dir\\\\\n"
            "predefinedJvmInstallDir=C\\:\\\\Program Files\\\\App\njvmHomeDir=C\\:\\\\x\n");
    EXPECT_EQ(v["jvmRequiredVersion"], "1.4");
    EXPECT_EQ(v["jvmVersion"], std::string(200, '2'));
    EXPECT_EQ(v["searchForJvm"], "");
    EXPECT_EQ(v.refused, (Words{"jvmRequiredVersion", "searchForJvm"}));
    EXPECT_EQ(v["jvmName"], "ab");
    EXPECT_EQ(v["jvmExtraParameters"], "-Dp=\"a b\" -Dq=C:\\dir\\");
    EXPECT_EQ(v["predefinedJvmInstallDir"], "C:\\Program Files\\App");
    EXPECT_EQ(v["jvmHomeDir"], "C\\:\\\\x");
    ASSERT_FALSE(v.traces.empty());
    EXPECT_EQ(v.traces.front().first, "initial jvm switches for installer");
    EXPECT_EQ(v.traces.back().first, "final jvm switches for installer");
}

TEST(ConvertLineEndings, EndsEveryLineWithTheGivenLineEndAndDropsLoneCr)
{
    eachRow<std::string, std::string>([](const std::string& bytes) {
        TestFolder folder;
        writeFile("in", bytes);
        UniqueFile in("in", "rb"), out("out", "wb");
        bool ok = in && out && convertLineEndingsText(in.get(), out.get(), "|");
        out.reset();
        return (ok ? "" : "failed:") + readFile("out");
    }, {{"a\r\nb\r\n", "a|b|"}, {"a\nb", "a|b"}, {"a\rb\rc\n", "abc|"}, {"a\r\r\nb", "a|b"}, {"", ""},
        {"x=1\r\n\x1A" "tail\r\n", "x=1|\x1A" "tail|"}});
}

// Every deletion is traced with the whole string before and after it; "#n" counts the deletions.
TEST(RemoveExtraBackSlashes, RemovesBackslashesBeforeReservedCharacters)
{
    for (char c : std::string("\\/:*?\"<>|")) EXPECT_FALSE(isFilenameChar(c)) << c;
    for (char c : std::string("aZ09 .-_$\t\x80", 12)) EXPECT_TRUE(isFilenameChar(c)) << int(c);
    eachRow([](const char* in) {
        std::string text = in;
        Words steps;
        removeExtraBackSlashes(text.data(), [&](const char* a, const char* b) { steps.push_back(std::string(a) + "|" + b); });
        text.resize(std::strlen(text.c_str()));
        bool framed = steps.size() >= 2 && steps.front() == "initial jvm switches for installer|" + std::string(in) &&
                      steps.back() == "final jvm switches for installer|" + text;
        return (framed ? "" : "untraced:") + text + "#" + std::to_string((steps.size() - 2) / 2);
    }, {{"-Dp=\\\"a b\\\"", "-Dp=\"a b\"#2"}, {"C:\\\\dir\\\\", "C:\\dir\\#2"}, {"\\\\\\\\x", "\\x#3"},
        {"a\\\\\\:b", "a:b#3"}, {"\\", "\\#0"}, {"\\\\", "\\#1"}, {"plain", "plain#0"}, {"", "#0"}});
    std::string text = "a\\\\b";
    Words steps;
    removeExtraBackSlashes(text.data(), [&](const char* a, const char* b) { steps.push_back(std::string(a) + "|" + b); });
    EXPECT_EQ(steps, (Words{"initial jvm switches for installer|a\\\\b", "  before extra back slash removed|a\\\\b",
                            "  after extra back slash removed|a\\b", "final jvm switches for installer|a\\b"}));
}

TEST(NormaliseSeparators, HalvesBackslashRunsAndTurnsSlashes)
{
    eachRow([](const char* in) { std::string text = in; normaliseSeparators(text.data()); return std::string(text.c_str()); },
            {{"C\\:\\\\Program Files\\\\App", "C:\\Program Files\\App"}, {"\\\\\\\\server", "\\\\server"},
             {"//server/share", "\\\\server\\share"}, {"\\\\\\x", "\\\\x"}, {"C:\\App\\", "C:\\App\\"}, {"\\", "\\"},
             {"a\\:", "a:"}, {"", ""}});
}

// Defaults: name JRE, class path ".;install.jar", required version 1.1.8 when neither a required nor
// a minimum version is given, and the version of the JVM to install the required one.
TEST(VerifyControlValues, VersionDefaults)
{
    struct { const char *required, *min, *version, *outRequired, *outVersion; } cases[] = {
        {"", "", "", "1.1.8", "1.1.8"}, {"", "", "1.4.2", "1.4.2", "1.4.2"}, {"", "1.3", "", "", ""},
        {"1.5", "", "", "1.5", "1.5"}, {"1.5", "1.3", "1.6", "1.5", "1.6"}};
    for (const auto& c : cases) {
        auto v = verified(c.required, c.min, c.version);
        std::string got = std::string(v->jvmRequiredVersion) + "|" + v->jvmMinVersion + "|" + v->jvmVersion + "|" +
                          v->jvmName + "|" + v->loaderClasspath;
        EXPECT_EQ(got, std::string(c.outRequired) + "|" + c.min + "|" + c.outVersion + "|JRE|.;install.jar")
            << c.required << "/" << c.min << "/" << c.version;
    }
}

// Without a trace log of the user's the windowless launcher; with one (console) the other.
TEST(VerifyControlValues, LauncherNameNormalisation)
{
    struct { const char *in, *windowless, *console; } cases[] = {
        {"", "jrew.exe", "jre.exe"}, {"Java", "javaw.exe", "java.exe"}, {"jre.sh", "jrew.exe", "jre.exe"},
        {"start.BAT", "start.bat", "start.bat"}, {"run.com", "run.com", "run.com"},
        {"JAVA.EXE", "javaw.exe", "java.exe"}, {"java.exe.old", "javaw.exe", "java.exe.old"},
        {"jre.exe2", "jrew.exe", "jre.exe2"}, {"javaw", "javaw.exe", "javaw.exe"},
        {"C:\\jdk\\bin\\java.exe", "c:\\jdk\\bin\\java.exe", "c:\\jdk\\bin\\java.exe"},
        {"my.launcher.v2", "my.exe", "my.exe"}};
    for (const auto& c : cases)
        for (bool console : {false, true})
            EXPECT_STREQ(verified("1.4", "", "", c.in, console)->jvmCommandName, console ? c.console : c.windowless)
                << '"' << c.in << "\" console " << console;
    auto v = verified("1.4", "", "", std::string(launcherNameSize - 1, 'A').c_str());
    EXPECT_EQ(strnlen(v->jvmCommandName, launcherNameSize), launcherNameSize - 1) << "the longest name stays inside";
    EXPECT_EQ(v->jvmCommandName[0], 'a');
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

// The first matching line wins; the fallback file is read only when the control file cannot be
// opened; a key alone gives an empty value; long lines are read in pieces, and a key at the start of
// a later piece counts. Rows: files present, key, expected "opened|found|value".
TEST(LookUpControlKey, FirstLineOfTheControlFileOrTheFallback)
{
    struct { const char *control, *fallback, *key, *expected; } cases[] = {
        {"jvmName=x\r\nconfigureWinRegistry=no\r\nconfigureWinRegistry=yes\r\n", nullptr, "configureWinRegistry",
         "1|1|configureWinRegistry=no|no"},
        {"jvmName=x\r\n", "configureWinRegistry=false\r\n", "configureWinRegistry", "1|0"},
        {nullptr, "configureWinRegistry=false\r\n", "configureWinRegistry", "1|1|configureWinRegistry=false|false"},
        {nullptr, nullptr, "configureWinRegistry", "0|0"},
        {"configureWinRegistry\n", nullptr, "configureWinRegistry", "1|1|configureWinRegistry|"},
        {"", nullptr, "jvmThirdPartyInstaller", "1|0"}};
    for (const auto& c : cases) {
        TestFolder folder;
        if (c.control) writeFile("qiv.control", c.control);
        if (c.fallback) writeFile("native.properties", c.fallback);
        ControlKeyLookup lookup = lookUpControlKey(c.key, "native.properties");
        std::string got = std::to_string(lookup.opened) + "|" + std::to_string(lookup.found);
        if (lookup.found) got += "|" + std::string(lookup.line) + "|" + lookup.value();
        EXPECT_EQ(got, c.expected) << (c.control ? c.control : "(no control file)");
    }
    TestFolder folder;
    writeFile("qiv.control", std::string(998, 'x') + "jvmThirdPartyInstaller=YES\n");
    ControlKeyLookup lookup = lookUpControlKey("jvmThirdPartyInstaller", "__qivwizard.sem");
    ASSERT_TRUE(lookup.found);
    EXPECT_TRUE(isAffirmative(lookup.value()));
    for (const char* yes : {"true", "TRUE", "yes", "YeS"}) EXPECT_TRUE(isAffirmative(yes)) << yes;
    for (const char* no : {"", "1", "no", "false", "yes ", " true", "y"}) EXPECT_FALSE(isAffirmative(no)) << no;
}
