#include "cleanup/folderrules.h"
#include "control/controlfile.h"
#include "control/singlekey.h"
#include "exec/commandrules.h"
#include "installer/cleanuprules.h"
#include "installer/wizardrules.h"
#include "jvm/installrules.h"
#include "jvm/launchtext.h"
#include "jvm/versionrules.h"
#include "launcher/cmdline.h"
#include "launcher/startup.h"
#include "security/securityrules.h"
#include "support/clib.h"
#include "support/spawnargs.h"
#include "support/textfile.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

using Words = std::vector<std::string>;
using Traces = std::vector<std::pair<std::string, std::string>>;

namespace {
// One row per input: what f gives for it against what it should give; a failure names the input.
template <class Out = std::string, class In = const char*, class F>
void eachRow(F f, std::initializer_list<std::pair<In, Out>> rows)
{
    for (const auto& [in, want] : rows) EXPECT_EQ(Out(f(in)), want) << "input \"" << in << '"';
}

// The record after parsing bytes; its key fields start out filled with '?', so that an untouched or
// unterminated field shows.
struct Parsed {
    std::unique_ptr<ControlValues> v{new ControlValues};
    Traces traces;
    Words refused;

    explicit Parsed(const std::string& bytes)
    {
        for (int i = 0; i < controlKeyCount; ++i) std::memset(controlKeys()[i].field(*v), '?', controlKeys()[i].size);
        TestFolder folder;
        writeFile("qiv.control", bytes);
        UniqueFile in("qiv.control", "rb");
        ControlParseEvents events;
        events.trace = [this](const char* a, const char* b) { traces.emplace_back(a, b); };
        events.valueTooLong = [this](const ControlKey& key, std::size_t) { refused.push_back(key.name); };
        if (in) parseControlText(in.get(), *v, events);
    }
};

// The values after verifyControlValues of a record holding the given ones.
std::unique_ptr<ControlValues> verified(const char* required, const char* min, const char* version,
                                        const std::string& launcher = "", bool console = false)
{
    auto values = std::make_unique<ControlValues>();
    std::strcpy(values->jvmRequiredVersion, required);
    std::strcpy(values->jvmMinVersion, min);
    std::strcpy(values->jvmVersion, version);
    std::strcpy(values->jvmCommandName, launcher.c_str());
    verifyControlValues(*values, console);
    return values;
}
} // namespace

// Lines are tested in table order, which is not the order of the fields.
TEST(ControlKeys, EachKeyFillsTheFieldOfItsNameWithinItsSize)
{
    ControlValues v;
    auto at = [&](const char* field) { return static_cast<std::size_t>(field - reinterpret_cast<char*>(&v)); };
#define KEY(field, size) {#field, {at(v.field), size}}
    std::map<std::string, std::pair<std::size_t, std::size_t>> expected = {KEY(jvmRequiredVersion, 201),
        KEY(jvmMinVersion, 201), KEY(jvmMaxVersion, 201), KEY(jvmVersion, 201), KEY(jvmName, 201),
        KEY(jvmCommandName, 5001), KEY(jvmSelfExtractor, 5000), KEY(jvmHomeDir, 5001), KEY(appletUrl, 5000),
        KEY(predefinedJvmInstallDir, 5000), KEY(jvmExtraParameters, 5000), KEY(jvmClasspathSwitch, 1000),
        KEY(loaderClasspath, 5000), KEY(loaderJavaCommand, 5000), KEY(keystoreFilename, 5001),
        KEY(systemSecurityPolicyFilename, 5001), KEY(userSecurityPolicyFilename, 5001), KEY(startGuiCommand, 1000),
        KEY(checkGuiRunningCommand, 1000), KEY(searchForJvm, 100), KEY(extendedJvmSearch, 10)};
#undef KEY
    for (int i = 0; i < controlKeyCount; ++i) {
        const ControlKey& key = controlKeys()[i];
        EXPECT_EQ((expected.count(key.name) ? expected[key.name] : std::pair<std::size_t, std::size_t>{}),
                  std::make_pair(at(key.field(v)), key.size)) << key.name;
        expected.erase(key.name);
    }
    EXPECT_TRUE(expected.empty());
    EXPECT_STREQ(controlKeys()[6].name, "jvmExtraParameters");
    EXPECT_STREQ(controlKeys()[9].name, "loaderClasspath");
    // Lines match at their first character and case-sensitively; "-" stands for no key.
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
    Parsed p("jvmRequiredVersion=1.4\njvmRequiredVersion=" + std::string(201, '1') + "\njvmVersion=" +
             std::string(200, '2') + "\nsearchForJvm=" + std::string(100, 'n') + "\n" +
             std::string("jvmName=ab\0cd\n", 14) + "jvmExtraParameters=-Dp=\\\"a b\\\" -Dq=C:\\\\dir\\\\\n"
             "predefinedJvmInstallDir=C\\:\\\\Program Files\\\\App\njvmHomeDir=C\\:\\\\x\n");
    EXPECT_EQ((Words{p.v->jvmRequiredVersion, p.v->jvmVersion, p.v->searchForJvm, p.v->jvmName, p.v->jvmExtraParameters,
                     p.v->predefinedJvmInstallDir, p.v->jvmHomeDir}),
              (Words{"1.4", std::string(200, '2'), "", "ab", "-Dp=\"a b\" -Dq=C:\\dir\\", "C:\\Program Files\\App",
                     "C\\:\\\\x"}));
    EXPECT_EQ(p.refused, (Words{"jvmRequiredVersion", "searchForJvm"}));
    ASSERT_FALSE(p.traces.empty());
    EXPECT_EQ(p.traces.front().first + "|" + p.traces.back().first,
              "initial jvm switches for installer|final jvm switches for installer");
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

// Backslashes before the nine reserved characters go; every deletion is traced with the whole string
// before and after it, and "#n" counts them. Install folders have their backslash runs halved.
TEST(ControlText, BackslashesAndSeparators)
{
    for (char c : std::string("\\/:*?\"<>|")) EXPECT_FALSE(isFilenameChar(c)) << c;
    for (char c : std::string("aZ09 .-_$\t\x80", 12)) EXPECT_TRUE(isFilenameChar(c)) << int(c);
    auto removed = [](const char* in, Words& steps) {
        std::string text = in;
        removeExtraBackSlashes(text.data(),
                               [&](const char* a, const char* b) { steps.push_back(std::string(a) + "|" + b); });
        return std::string(text.c_str());
    };
    eachRow([&](const char* in) {
        Words steps;
        std::string text = removed(in, steps);
        bool framed = steps.size() >= 2 && steps.front() == "initial jvm switches for installer|" + std::string(in) &&
                      steps.back() == "final jvm switches for installer|" + text;
        return (framed ? "" : "untraced:") + text + "#" + std::to_string((steps.size() - 2) / 2);
    }, {{"-Dp=\\\"a b\\\"", "-Dp=\"a b\"#2"}, {"C:\\\\dir\\\\", "C:\\dir\\#2"}, {"\\\\\\\\x", "\\x#3"},
        {"a\\\\\\:b", "a:b#3"}, {"\\", "\\#0"}, {"\\\\", "\\#1"}, {"plain", "plain#0"}, {"", "#0"}});
    Words steps;
    removed("a\\\\b", steps);
    EXPECT_EQ(steps, (Words{"initial jvm switches for installer|a\\\\b", "  before extra back slash removed|a\\\\b",
                            "  after extra back slash removed|a\\b", "final jvm switches for installer|a\\b"}));
    eachRow([](std::string text) { normaliseSeparators(text.data()); return std::string(text.c_str()); },
            {{"C\\:\\\\Program Files\\\\App", "C:\\Program Files\\App"}, {"\\\\\\\\server", "\\\\server"},
             {"//server/share", "\\\\server\\share"}, {"\\\\\\x", "\\\\x"}, {"C:\\App\\", "C:\\App\\"}, {"\\", "\\"},
             {"a\\:", "a:"}, {"", ""}});
}

// Defaults: name JRE, class path ".;install.jar", required version 1.1.8 when neither a required nor
// a minimum version is given, and the version to install the required one. The launcher: without a
// trace log of the user's the windowless one, with one (console) the other.
TEST(VerifyControlValues, DefaultsAndLauncherName)
{
    struct { const char *required, *min, *version, *outRequired, *outVersion; } cases[] = {
        {"", "", "", "1.1.8", "1.1.8"}, {"", "", "1.4.2", "1.4.2", "1.4.2"}, {"", "1.3", "", "", ""},
        {"1.5", "", "", "1.5", "1.5"}, {"1.5", "1.3", "1.6", "1.5", "1.6"}};
    for (const auto& c : cases) {
        auto v = verified(c.required, c.min, c.version);
        EXPECT_EQ((Words{v->jvmRequiredVersion, v->jvmMinVersion, v->jvmVersion, v->jvmName, v->loaderClasspath}),
                  (Words{c.outRequired, c.min, c.outVersion, "JRE", ".;install.jar"}))
            << c.required << "/" << c.min << "/" << c.version;
    }
    struct { const char *in, *windowless, *console; } names[] = {{"", "jrew.exe", "jre.exe"},
        {"Java", "javaw.exe", "java.exe"}, {"jre.sh", "jrew.exe", "jre.exe"}, {"start.BAT", "start.bat", "start.bat"},
        {"run.com", "run.com", "run.com"}, {"JAVA.EXE", "javaw.exe", "java.exe"},
        {"java.exe.old", "javaw.exe", "java.exe.old"},
        {"jre.exe2", "jrew.exe", "jre.exe2"}, {"javaw", "javaw.exe", "javaw.exe"},
        {"my.launcher.v2", "my.exe", "my.exe"},
        {"C:\\jdk\\bin\\java.exe", "c:\\jdk\\bin\\java.exe", "c:\\jdk\\bin\\java.exe"}};
    for (const auto& c : names)
        for (bool console : {false, true})
            EXPECT_STREQ(verified("1.4", "", "", c.in, console)->jvmCommandName, console ? c.console : c.windowless)
                << '"' << c.in << "\" console " << console;
    auto v = verified("1.4", "", "", std::string(launcherNameSize - 1, 'A'));
    EXPECT_EQ(strnlen(v->jvmCommandName, launcherNameSize), launcherNameSize - 1) << "the longest name stays inside";
    EXPECT_EQ(v->jvmCommandName[0], 'a');
    char line[1000];
    std::strcpy(v->jvmCommandName, "jrew.exe");
    std::strcpy(v->jvmRequiredVersion, "1.1.8");
    validVersionsLine(line, sizeof line, *v);
    EXPECT_STREQ(line, "Valid version of jrew.exe: 1.1.8");
    v->jvmRequiredVersion[0] = '\0';
    std::strcpy(v->jvmMinVersion, "1.3");
    std::strcpy(v->jvmMaxVersion, "1.6");
    validVersionsLine(line, sizeof line, *v);
    EXPECT_STREQ(line, "Valid versions of jrew.exe: 1.3 through 1.6");
    std::memset(v->jvmCommandName, 'n', 1200);
    validVersionsLine(line, sizeof line, *v);
    EXPECT_EQ(std::strlen(line), sizeof line - 1);
}

// The first matching line wins; the fallback file is read only when the control file cannot be
// opened; a key alone gives an empty value; long lines are read in pieces, and a key at the start of
// a later piece counts. Rows: control file, fallback file (null: absent), "opened|found|line|value".
TEST(LookUpControlKey, FirstLineOfTheControlFileOrTheFallback)
{
    const char* key = "configureWinRegistry";
    struct { const char *control, *fallback, *expected; } cases[] = {
        {"jvmName=x\r\n# configureWinRegistry=yes\r\nconfigureWinRegistry=no\r\nconfigureWinRegistry=yes\r\n", nullptr,
         "1|1|configureWinRegistry=no|no"},
        {"jvmName=x\r\n", "configureWinRegistry=false\r\n", "1|0"},
        {"configureWinRegistry\n", nullptr, "1|1|configureWinRegistry|"},
        {nullptr, "configureWinRegistry=false\r\n", "1|1|configureWinRegistry=false|false"}, {nullptr, nullptr, "0|0"}};
    for (const auto& c : cases) {
        TestFolder folder;
        if (c.control) writeFile("qiv.control", c.control);
        if (c.fallback) writeFile("native.properties", c.fallback);
        ControlKeyLookup lookup = lookUpControlKey(key, "native.properties");
        std::string got = std::to_string(lookup.opened) + "|" + std::to_string(lookup.found);
        EXPECT_EQ(lookup.found ? got + "|" + lookup.line + "|" + lookup.value() : got, c.expected)
            << (c.control ? c.control : "-");
    }
    TestFolder folder;
    writeFile("qiv.control", std::string(998, 'x') + "jvmThirdPartyInstaller=YES\n");
    ControlKeyLookup lookup = lookUpControlKey("jvmThirdPartyInstaller", "__qivwizard.sem");
    EXPECT_TRUE(lookup.found && isAffirmative(lookup.value()));
    eachRow<bool>(isAffirmative, {{"true", true}, {"TRUE", true}, {"yes", true}, {"YeS", true}, {"", false},
        {"1", false},
                                  {"no", false}, {"false", false}, {"yes ", false}, {" true", false}, {"y", false}});
}

// A required version is a prefix, ignoring case; range bounds are prefixes in _stricmp order; a very
// long found version is judged on its beginning. Rows: required, min, max, found.
TEST(VersionRules, AcceptVersion)
{
    const std::string long14 = "1.4." + std::string(5000, '9');
    struct { const char *required, *min, *max; std::string found; bool accepted; } cases[] = {
        {"1.4", "", "", "1.4", true}, {"1.4", "", "", "1.4.0", true}, {"1.4", "", "", "1.4.2_05", true},
        {"1.4", "", "", "1.40", true}, {"1.4", "", "", "1.5.0", false}, {"1.4", "", "", "1.3.1", false},
        {"1.4.2_05", "", "", "1.4.2", false}, {"1.4.2_05", "", "", "1.4.2_05-b04", true},
        {"1.4.2_05-B04", "", "", "1.4.2_05-b04", true}, {"1.6.0_07", "", "", "1.6.0_07.0", true},
        {"1.4", "", "", "", false}, {"", "1.4", "1.5", "1.4.0", true}, {"", "1.4", "1.5", "1.5.0_22", true},
        {"", "1.4", "1.5", "1.3.1_02", false}, {"", "1.4", "1.5", "1.6.0", false}, {"", "1.4.2", "", "1.6.0", true},
        {"", "1.4.2", "", "1.4.2", true}, {"", "1.4.2", "", "1.4", false}, {"", "1.4.2", "", "1.4.1_07", false},
        {"", "", "", "anything", true}, {"", "", "", "", true}, {"", "1.9", "", "1.10.0", false},
        {"", "1.4.2", "", "1.4_01", true}, {"", "", "1.4.2", "1.4_01", false}, {"", "", "1.4.2", "1.4", true},
        {"", "1.4", "1.5", "1.5a", true}, {"", "1.4", "1.5", "1.5.0_22-ea", true}, {"1.4", "", "", long14, true},
        {"", "1.3", "1.4", long14, true}, {"", "1.5", "", long14, false}};
    for (const auto& c : cases)
        EXPECT_EQ(acceptVersion({c.required, c.min, c.max}, c.found.c_str()), c.accepted)
            << "required " << c.required << " min " << c.min << " max " << c.max << " found " << c.found.substr(0, 20);
}

// The version is the text from the first to the last digit; family and micro split at the last dot
// from two dots on, and parts that do not fit are cut and reported.
TEST(VersionRules, ExtractAndParseVersion)
{
    eachRow([](std::string line) { extractVersion(line.data()); return std::string(line.c_str()); },
            {{"java.version=1.4.2_05", "1.4.2_05"}, {"1.6.0_22-ea", "1.6.0_22"},
            {"1.5.0 (build 12)", "1.5.0 (build 12"},
             {"java version 1.4.2_05\n", "1.4.2_05"}, {"7", "7"}, {"no digits at all\n", ""}, {"", ""}});
    eachRow<std::string, std::string>([](const std::string& version) {
        char family[100], micro[100];
        bool whole = parseVersion(version.c_str(), family, sizeof family, micro, sizeof micro);
        return (whole ? "" : "cut:") + std::string(family) + "|" + micro;
    }, {{"1.4.2_05", "1.4|2_05"}, {"1.6.0", "1.6|0"}, {"1.4", "1.4|0"}, {"1", "1|0"}, {"1.3.1.2", "1.3.1|2"},
        {"", "|0"}, {"1.3.", "1.3|"}, {"..", ".|"}, {"1.3." + std::string(150, '7'), "cut:1.3|" + std::string(99, '7')},
        {std::string(120, '1') + ".2.3", "cut:" + std::string(99, '1') + "|3"}});
}

TEST(InstallRules, NamesAndFolders)
{
    eachRow(installerFileName, {{"jvm/jre-setup.exe", "jre-setup.exe"}, {"jvm\\jre-setup.exe", "jvm\\jre-setup.exe"},
                                {"a/b/c.exe", "c.exe"}, {"jre.exe", "jre.exe"}});
    eachRow(registryJvmHome,
        {{"C:\\Program Files\\JavaSoft\\JRE1.3\\1.3.1", "c:\\program files\\javasoft\\jre1.3\\1.3.1"},
        {"C:\\jdk\\bin", "c:\\jdk"}, {"C:\\Apps\\binaries\\jre", "c:\\apps\\binaries\\jre"},
        {"C:\\jre\\BIN\\hotspot", "c:\\jre"},
        {"C:\\bin\\x\\binaries", "c:"}, {"\\bin", ""}, {"C:\\robin", "c:\\robin"}});
    // 1.10 begins with 1.1; the launcher comparison is case-sensitive.
    eachRow([](const char* in) { std::size_t bar = std::strcspn(in, "|");
        return launcherPartner(std::string(in, bar).c_str(), in + bar + 1);
    },
            {{"1.1|jrew.exe", "jre.exe"}, {"1.1|jre.exe", "jrew.exe"}, {"1.3|javaw.exe", "java.exe"},
             {"1.3|java.exe", "javaw.exe"}, {"1.3|Javaw.exe", "javaw.exe"}, {"1.10|jrew.exe", "jre.exe"}});
    eachRow<bool>(isJava2Version, {{"1.2", true}, {"1.3", true}, {"1.3.1", true}, {"1.4.2_05", true}, {"2", true},
                                   {"1.1", false}, {"1.1.8", false}, {"1.10", false}, {"1", false}, {"", false}});
    eachRow<bool>(isKnownJvmName, {{"JRE", true}, {"JDK", true}, {"Java Plug-in", true}, {"JRE 1.3", true},
                                   {"MyVM", false}, {"jre", false}, {"Java", false}, {"XJRE", false}});
    eachRow([](const char* in) { return applyJvmHomeDir(in[0] == '.' ? "C:\\App\\jvm\\jre1.3\\1.3" : "C:\\App", in); },
            {{"./jre", "C:\\App\\jvm\\jre1.3\\1.3\\jre"}, {"C:/Java/jre", "C:\\Java\\jre"}, {"jre", "jre"}});
    eachRow<Words>(folderChain, {{"C:\\Apps\\MyApp\\jre",
        {"C:", "C:\\Apps", "C:\\Apps\\MyApp", "C:\\Apps\\MyApp\\jre"}},
                                 {"C:\\Apps\\", {"C:", "C:\\Apps"}}, {"jre", {"jre"}}});
    eachRow([](const char* in) { return joinFolder(in, "jvm"); }, {{"", "jvm"}, {"C:\\", "C:\\jvm"},
        {"C:", "C:\\jvm"}});
    eachRow(driveOf, {{"C:\\Program Files", "C:"}, {"\\\\server\\share", ""}});
}

// Variables are tested in their order, case-sensitively, and are valid only with a folder behind.
TEST(InstallRules, InstallVariables)
{
    eachRow<InstallVariable>(findInstallVariable,
        {{"[$ProgFilesDir]\\MyApp\\jre", InstallVariable::programFiles},
        {"[$AppDir]\\[$WinDir]\\x", InstallVariable::windows},
         {"x[$AppDir]\\jre", InstallVariable::application}, {"[$Foo]\\jre", InstallVariable::none},
         {"[$appdir]\\jre", InstallVariable::none}});
    EXPECT_TRUE(hasVariableMarker("[$Foo]\\jre"));
    EXPECT_FALSE(hasVariableMarker("C:\\Apps\\jre"));
    struct { const char *variable, *predefined; VariableDir result; const char* dir; } cases[] = {
        {"[$ProgFilesDir]", "[$ProgFilesDir]\\MyApp\\jre", VariableDir::valid, "C:\\Program Files\\MyApp\\jre"},
        {"[$AppDir]", "x[$AppDir]\\jre", VariableDir::valid, "C:\\Program Files\\jre"},
        {"[$WinDir]", "[$WinDir]", VariableDir::notFollowedByFolder, ""},
        {"[$WinDir]", "[$WinDir]\\", VariableDir::bare, ""},
        {"[$WinDir]", "x[$WinDir]\\", VariableDir::valid, "C:\\Program Files\\"}};
    for (const auto& c : cases) {
        std::string dir = "stale";
        EXPECT_EQ(expandVariableDir(c.variable, "C:\\Program Files", c.predefined, dir), c.result) << c.predefined;
        EXPECT_EQ(dir, c.dir) << c.predefined;
    }
}

// A command with a blank is quoted unless it begins with a quote; arguments split at every single blank.
TEST(CommandRules, CommandsArgumentsAndTexts)
{
    eachRow(formattedCommand, {{"C:\\Program Files\\App\\setup.exe", "\"C:\\Program Files\\App\\setup.exe\""},
        {"setup.exe", "setup.exe"}, {"\"C:\\My Dir\\x.exe\" -s", "\"C:\\My Dir\\x.exe\" -s"},
        {"C:\\My Dir\\x.exe \"a\"", "\"C:\\My Dir\\x.exe \"a\"\""}, {"", ""}});
    eachRow<Words>([](const char* in) {
        Words w = blankSeparatedWords(in);
        w.push_back(std::to_string(argumentCount(in)));
        return w;
    },
            {{nullptr, {"1"}}, {"-a -b", {"-a", "-b", "3"}}, {"-a  -b", {"-a", "", "-b", "4"}}, {"", {"", "2"}},
             {" x ", {"", "x", "", "4"}}});
    EXPECT_EQ(launchBatchText("setup.exe", "/s"), "@echo off\nsetup.exe /s\ndel __qivwait.sem\n");
    EXPECT_EQ(launchBatchText("\"C:\\A B\\x.exe\"", nullptr), "@echo off\n\"C:\\A B\\x.exe\"\ndel __qivwait.sem\n");
    eachRow<std::string, int>(launchFailureText, {{2, "File or path is not found"},
        {7, "Argument list exceeds 1024 bytes"},
        {8, "Specified file is not executable or has invalid executable-file format"},
        {12, "Not enough memory is available to execute new process"}, {22, "Mode argument is invalid"},
        {0, "Unknown error"}, {1, "Unknown error"}, {13, "Unknown error"}, {-1, "Unknown error"},
        {9999, "Unknown error"}});
    eachRow<unsigned>([](const char* s) { return testRunLimit(s, 120); }, {{"1", 1}, {"119", 119}, {"120", 120},
        {"121", 120}, {"0", 120}, {"", 120}, {"-1", 120}, {" 5", 120}, {"5s", 120}, {"99999999999999999999", 120}});
    eachRow(asOneArgument, {{"C:\\Temp\\pkg", "C:\\Temp\\pkg"}, {"\"already quoted\"", "\"already quoted\""},
                            {"C:\\Documents and Settings\\pkg", "\"C:\\Documents and Settings\\pkg\""}});
    eachRow(programPath, {{"\"C:\\Program Files\\App\\setup.exe\"", "C:\\Program Files\\App\\setup.exe"},
        {"setup.exe", "setup.exe"}, {"\"C:\\My Dir\\x.exe\" -s", "\"C:\\My Dir\\x.exe\" -s"}, {"\"", "\""}});
}

// "${java.home}" is looked for first and text in front of a token is ignored. Rows give
// base|slash|folder|file|after.
TEST(SecurityRules, SpecificationsBackupsAndIdentityDatabase)
{
    eachRow([](const char* in) {
        SecuritySpec s = parseSecuritySpec(in);
        if (s.base == SecurityBase::none) return std::string("none");
        return (s.base == SecurityBase::javaHome ? "java|" : "user|") + std::to_string(s.hasSlash) + "|" +
               s.folderPart + "|" + s.fileName + "|" + s.afterToken;
    }, {{"${java.home}/lib/security/java.policy", "java|1|/lib/security|java.policy|/lib/security/java.policy"},
        {"before${user.home}/.keystore", "user|1||.keystore|/.keystore"},
        {"${user.home}.keystore", "user|0||.keystore|.keystore"},
        {"${user.home}/x/${java.home}/y", "java|1||y|/y"}, {"lib/java.policy", "none"}});
    // A path without a backslash keeps its extension.
    eachRow(backupPath, {{"C:\\jre\\lib\\security\\java.policy", "C:\\jre\\lib\\security\\java.001"},
        {"C:\\home\\.keystore", "C:\\home\\.001"}, {"C:\\my.folder\\keystore", "C:\\my.folder\\keystore.001"},
        {"java.policy", "java.policy.001"}});
    const std::string path = "C:\\jre\\lib\\security\\java.policy", db = " " + path + " identitydb.001";
    eachRow([&](const char* language) { return backupChangeLine(language, path); },
            {{"english", "Renamed to" + db}, {"spanish", "Reagrupado  a" + db},
            {"french", "Renomm\xEF\xBF\xBD en" + db},
             {"portuguese", "Nome modificado Para" + db}, {"klingon", "Renamed to" + db}});
    eachRow(identityDatabasePath, {{"identity.database=C:/Data//identitydb.obj\r\n", "C:\\Data\\identitydb.obj"},
        {"identity.database=C:\\\\\\Data\\x  \n", "C:\\Data\\x"}, {"identity.database=", ""},
        {" identity.database=C:/x", ""}});
    eachRow([](const char* in) { std::string name = "-"; return keystoreInUserHome(in, name) ? name : "no"; },
            {{"${user.home}/.keystore", ".keystore"}, {"${USER.HOME}/.keystore", ".keystore"},
             {"${user.home}/sub/.keystore", "no"}, {"${user.home}.keystore", "no"}});
    eachRow<bool>([](const char* in) { return staysInsideToken(parseSecuritySpec(in).afterToken); },
        {{"${java.home}/lib/java.policy", true}, {"${user.home}.keystore", true}, {"${user.home}/./a\\b..", true},
         {"${user.home}..\\..\\x.dll", false}, {"${java.home}/lib/../../x", false}, {"${user.home}/a/.. /x", false},
         {"${user.home}/...", false}, {"${user.home}C:\\x", false}, {"${user.home}/x:s", false}, {"${user.home}//x", false}});
}

TEST(CleanupRules, ManifestPropertiesAndFolders)
{
    eachRow(manifestName, {{"Name: lib/a.jar \r\n", "lib/a.jar"}, {"Name: TestJvm.class\n", "TestJvm.class"},
                           {"name: x\n", ""}, {"Name:x\n", ""}, {"Manifest-Version: 1.0\n", ""}});
    eachRow<bool>(staysInsideFolder, {{"a.jar", true}, {"lib/a.jar", true}, {"lib\\a.jar", true}, {"..a", true},
        {"a..b\\c", true}, {"", false}, {"..\\x", false}, {"lib/../../x", false}, {"C:\\Windows\\win.ini", false},
        {"\\x", false}, {"/etc/passwd", false}, {"C:x", false}, {"lib/..", false}});
    eachRow(unescapePropertiesLine, {{"nativeJvmHomeDir=D\\:/Temp/jre", "nativeJvmHomeDir=D:\\Temp\\jre"},
        {"nativeTempJvmDir=C\\:\\\\Temp\\\\jre", "nativeTempJvmDir=C:\\Temp\\jre"}, {"a=x\\ y\\=z\\tq", "a=x y=z\tq"},
        {"a=C:/Program Files/Java", "a=C:\\Program Files\\Java"}, {"trailing\\", "trailing\\"}});
    struct { const char *line, *key, *value; } properties[] = {
        {"nativeJvmInstalledInTemp=true", "nativeJvmInstalledInTemp", "true"},
        {"configureWinRegistry=", "configureWinRegistry", ""}, {"nativeJvmHomeDirX=1", "nativeJvmHomeDir", "no:-"},
        {" nativeJvmHomeDir=1", "nativeJvmHomeDir", "no:-"}};
    for (const auto& c : properties) {
        std::string value = "-";
        EXPECT_EQ(propertyValue(c.line, c.key, value) ? value : "no:" + value, c.value) << c.line;
    }
    // The record the cleanup reads back: for each key the last line wins; the registry is configured
    // unless the record says otherwise.
    eachRow([](const char* text) {
        TestFolder folder;
        writeFile("native.properties", text);
        UniqueFile in("native.properties", "rb");
        JvmLocationRecord r = readJvmLocation(in.get());
        return r.location + "|" + r.inTemp + "|" + r.tempDir + "|" + (r.configureRegistry ? "yes" : "no") + "|" +
               std::to_string(r.trace.size());
    }, {{"", "|||yes|0"}, {"nativeJvmInstalled=true\r\n", "|||yes|0"},
        {"nativeJvmHomeDir=C\\:/jre\r\nnativeJvmInstalledInTemp=true\nnativeTempJvmDir=C\\:/pkg/jre\n"
         "configureWinRegistry=NO\nconfigureWinRegistry=Yes\n", "C:\\jre|true|C:\\pkg\\jre|yes|5"},
        {"configureWinRegistry=false\n", "|||no|1"}});
    // Paths as Windows reads them (parts it reads in more than one way refused), and strictly below
    // C:\Temp\pkg ("|in"), ignoring case.
    eachRow([](const char* in) {
        std::string out;
        return (normalisePath(in, out) ? out : "refused") + (isFolderInside(in, "C:\\Temp\\pkg\\") ? "|in" : "");
    }, {{"C:\\Temp\\pkg\\jre", "C:\\Temp\\pkg\\jre|in"}, {"c:/temp//PKG/./jre/", "c:\\temp\\PKG\\jre|in"},
        {"C:\\Temp\\pkg\\a\\..\\jre", "C:\\Temp\\pkg\\jre|in"}, {"C:\\Temp\\pkg\\.", "C:\\Temp\\pkg"}, {"C:\\Temp\\pkg2\\x", "C:\\Temp\\pkg2\\x"},
        {"C:\\Temp\\pkg\\..\\x", "C:\\Temp\\x"}, {"C:\\", "C:"}, {"\\\\srv\\share\\.\\x", "\\\\srv\\share\\x"}, {"/x/", "\\x"},
        {"C:\\Temp\\pkg\\...", "refused"}, {"C:\\Temp\\pkg\\.. \\x", "refused"}, {"C:\\..", "refused"}, {"a\\..\\..", "refused"}});
    EXPECT_FALSE(isFolderInside("C:\\Temp\\pkg\\jre", ""));
    eachRow<bool>(isRunFile, {{"QIV.CONTROL", true}, {"./x/../qiv.control", true}, {"qiv.control. ", true},
        {"__qivinstall.sem", true}, {"__qivshow.sem", true}, {"cleanup.exe", true}, {"__cleanup.exe", true},
        {"qivstart.exe", true}, {"native.properties", true}, {"startdir.txt", true}, {"x.LOG", true},
        {"lib\\qiv.control", false}, {"x.log.txt", false}, {"..\\qiv.control", false}, {"qiv.control2", false}});
}

// The cleanup program empties only the folder it runs from ("!": another), never one holding what the user keeps.
TEST(CleanupProgramRules, RefusedFoldersAndTheLogFolder)
{
    eachRow([](const char* folder) {
        ProtectedFolders here{"C:\\Windows", "C:\\Users\\ann", "C:\\Users\\ann\\Downloads", *folder == '!' ? "C:\\q3" : folder};
        const char* why = folderRefusal(folder + (*folder == '!'), here);
        return std::string(why ? why : "ok");
    }, {{"C:\\Users\\ann\\AppData\\Local\\Temp\\q1", "ok"}, {"c:/users/ANN/appdata//temp/q1/", "ok"},
        {"\\\\srv\\share\\q1", "ok"}, {"C:\\Win", "ok"}, {"C:\\Users\\ann2x\\q", "ok"}, {"C:", "not a full path"},
        {"q1", "not a full path"}, {"C:\\q1\\..\\..", "not a full path"}, {"!C:\\q2", "not the cleanup program's folder"},
        {"C:\\", "a drive or share root"}, {"\\\\srv\\share", "a drive or share root"}, {"C:\\Users", "holds a user profile"},
        {"C:\\WINDOWS\\", "holds the Windows folder"}, {"C:\\Users\\bob", "holds a user profile"},
        {"C:\\Users\\ann\\Downloads", "holds the start folder"}});
    EXPECT_EQ(cleanupLogFolder("D:/a//b/", "C:\\x") + cleanupLogFolder("", "C:\\x") + cleanupLogFolder(nullptr, "x"),
              "D:\\a\\bC:\\x");
}

#ifdef QIV_DOCS_DIR
// The packagers' reference has a row for every key of the table, ending with its limit, and the lookups.
TEST(ControlFileDoc, EveryKeyWithItsLimit)
{
    std::string doc = readFile(QIV_DOCS_DIR "/control-file.md");
    for (int i = 0; i < controlKeyCount; ++i) {
        std::size_t at = doc.find(std::string("\n| `") + controlKeys()[i].name + "` |"), end = doc.find('\n', at + 1);
        std::string tail = "| " + std::to_string(controlKeys()[i].size - 1) + " |";
        EXPECT_TRUE(at != std::string::npos && doc.compare(end - tail.size(), tail.size(), tail) == 0) << tail;
    }
    for (const char* key : {"configureWinRegistry", "jvmThirdPartyInstaller"})
        EXPECT_NE(doc.find(std::string("\n| `") + key), std::string::npos);
}
#endif

// Launchers without "java" in their file name need swing; the test is case-sensitive.
TEST(WizardRules, SwingAndClassPath)
{
    eachRow<bool>(swingWanted, {{"C:\\jre\\bin\\jrew.exe", true}, {"C:\\java\\bin\\jre.exe", true},
        {"C:\\jre\\bin\\javaw.exe", false}, {"java.exe", false}, {"C:\\jre\\bin\\JAVA.EXE", true}});
    eachRow(fileNamePart, {{"C:\\jre\\bin\\jrew.exe", "jrew.exe"}, {"jrew.exe", "jrew.exe"}});
    EXPECT_EQ(swingArchivePath(true, "C:\\jre"), "swingall.jar");
    EXPECT_EQ(swingArchivePath(false, "C:\\jre"), "C:\\jre\\lib\\swingall.jar");
    // Elements with a blank are quoted; a dropped element takes no separator with it.
    struct { const char *what, *loader; std::string swing; bool exists, wanted; std::string text; Traces traces; }
    cases[] = {
        {"no swing element", ".;install.jar", "swingall.jar", true, true, ".;install.jar", {}},
        {"blank in an element", ".;C:\\My Libs\\a.jar;install.jar;", "x", false, false,
         ".;\"C:\\My Libs\\a.jar\";install.jar", {}},
        {"empty element", "a;;b", "x", false, false, "a;;b", {}},
        {"dropped in the middle", ".;swingall.jar;install.jar", "s", false, false, ".;install.jar", {}},
        {"package copy", "lib/swingall.jar;.;install.jar", "swingall.jar", true, true, "swingall.jar;.;install.jar",
         {{"added swing to classpath", ""}}},
        {"JVM copy with a blank", "lib/swingall.jar;.;install.jar", "C:\\Java Home\\lib\\swingall.jar", true, true,
         "\"C:\\Java Home\\lib\\swingall.jar\";.;install.jar", {{"added swing to classpath", ""}}},
        {"missing", "lib/swingall.jar;.;install.jar", "C:\\jre\\lib\\swingall.jar", false, true, ".;install.jar",
         {{"swing file does not exist", "C:\\jre\\lib\\swingall.jar"}}},
        {"not wanted", "lib/swingall.jar;.;install.jar", "swingall.jar", true, false, ".;install.jar", {}}};
    for (const auto& c : cases) {
        ClassPath path = composeClassPath(c.loader, c.swing, c.exists, c.wanted);
        EXPECT_EQ(path.text, c.text) << c.what;
        EXPECT_EQ(path.traces, c.traces) << c.what;
    }
    const char* loader = "swingall.jar;swingall.jar;a.jar";
    ClassPath path = composeClassPath(loader, std::string(3000, 'h') + "\\lib\\swingall.jar", true, true);
    EXPECT_LE(path.text.size(), std::string(loader).size() + 999) << "stays within its buffer";
    EXPECT_FALSE(path.refused.empty()) << "what does not fit is left out, and said";
    EXPECT_EQ(composeClassPath("swingall.jar", std::string(1011, 's'), true, true).text.size(), 1011u)
        << "a class path that reaches the limit exactly still fits";
}

TEST(WizardRules, ArgumentsInOrderAndTheirText)
{
    struct { const char* what; WizardCommand command; Words arguments; } cases[] = {
        {"defaults", {"C:\\jre\\bin\\javaw.exe", "", "-cp", ".;install.jar", "com.x.Install", "", false, false},
         {"javaw.exe", "-cp", ".;install.jar", "com.x.Install"}},
        {"double blank in the options", {"javaw.exe", "-Xmx64m  -Dy=1", "", "cp", "Main -v", "", false, false},
         {"javaw.exe", "-Xmx64m", "", "-Dy=1", "", "cp", "Main", "-v"}},
        {"empty loader command gives one empty argument", {"j.exe", "", "-cp", "cp", "", "", false, false},
         {"j.exe", "-cp", "cp", ""}},
        {"quiet wins over silent", {"j.exe", "", "-cp", "cp", "M", "C:\\Target", true, true},
         {"j.exe", "-cp", "cp", "M", "-q", "C:\\Target"}},
        {"silent", {"j.exe", "", "-cp", "cp", "M", "C:\\Target", false, true},
        {"j.exe", "-cp", "cp", "M", "-s", "C:\\Target"}},
        {"switch with an empty argument", {"j.exe", "", "-cp", "cp", "M", "", true, false},
        {"j.exe", "-cp", "cp", "M"}},
        {"argument without a switch", {"j.exe", "", "-cp", "cp", "M", "C:\\Target", false, false},
        {"j.exe", "-cp", "cp", "M"}},
        {"blanks and no quote: as it stands", {"j.exe", "", "-cp", "cp", "M", "C:\\Program Files\\App", true, false},
         {"j.exe", "-cp", "cp", "M", "-q", "C:\\Program Files\\App"}},
        {"quote and blank: in quotes", {"j.exe", "", "-cp", "cp", "M", "C:\\A \"B\"", true, false},
         {"j.exe", "-cp", "cp", "M", "-q", "\"C:\\A \"B\"\""}},
        {"quote without blank: as it stands", {"j.exe", "", "-cp", "cp", "M", "\"C:\\App\"", true, false},
         {"j.exe", "-cp", "cp", "M", "-q", "\"C:\\App\""}}};
    for (const auto& c : cases) EXPECT_EQ(wizardArguments(c.command), c.arguments) << c.what;
    std::string text = argumentText(
        {"javaw.exe", "-Dp=a b", "", "-cp", ".;\"C:\\My Libs\\a.jar\"", "Main", "-q", "C:\\Program Files"});
    EXPECT_EQ(text, "javaw.exe \"-Dp=a b\"  -cp .;\"C:\\My Libs\\a.jar\" Main -q \"C:\\Program Files\"");
    EXPECT_EQ(commandText("C:\\jre\\bin\\javaw.exe", text), "\"C:\\jre\\bin\\javaw.exe\" " + text);
    EXPECT_EQ(argumentText(Words{std::string(20000, 'x')}).size(), commandTextSize - 1);
}

// Only tokens followed by a space are switches. A quoted argument with spaces loses its quotes; one
// without spaces keeps them as the last piece and loses its closing quote before more text.
TEST(CommandLine, HidingWindowsAndWizardSwitches)
{
    eachRow<bool>(commandLineHidesWindows, {{"-q C:\\Target", true}, {"-s C:\\Target", true}, {"-q", false},
        {"C:\\Target -q", false}, {"my-setup x", true}, {"C:\\my-setup", false}, {"", false}, {"a b c", false},
        {"-q ", true}, {" -q", false}, {"a  -s x", true}, {"--quiet x", true}, {"-Q x", false}, {nullptr, false}});
    eachRow([](const char* line) {
        WizardSwitches s = readWizardSwitches(line);
        return std::string(s.quiet ? "q" : "") + (s.silent ? "s" : "") + "|" + s.wizardArgument;
    }, {{"-q \"C:\\Program Files\\App\"", "q|C:\\Program Files\\App"}, {"-s \"C:\\App\"", "s|\"C:\\App\""},
        {"-q C:\\App", "q|C:\\App"}, {"-q first second", "q|first"}, {"-q", "|"}, {"before -s C:\\App", "s|C:\\App"},
        {"-q C:\\my-setup\\x", "q|C:\\my-setup\\x"}, {"-s C:\\my-setup x", "s|x"}, {"-q -s C:\\App", "qs|C:\\App"},
        {"-s -q C:\\App", "qs|C:\\App"}, {"C:\\App", "|"}, {"C:\\App -q", "|"}, {"", "|"},
        {"-q \"C:\\Documents and Settings\\me\\App\" trailing", "q|C:\\Documents and Settings\\me\\App"},
        {"-q \"C:\\Open ended", "q|C:\\Open ended"}, {"-q C:\\A B\"", "q|C:\\A"}, {"-q  C:\\Two", "q|C:\\Two"},
        {"-q \"C:\\App\" more", "q|C:\\App"}, {"-q \"C:\\App\" ", "q|C:\\App"}});
    const char* english = "Unpacking the installer...";
    eachRow(startupText, {{"english", english}, {"klingon", english}, {"Dutch", english},
        {"french", "Pr\xEF\xBF\xBDparation Wizard..."}, {"german", "Bereite Wizard.."},
        {"spanish", "Preparando wizard..."},
        {"portuguese", "Preparando Wizard..."}, {"polish", "Inicjalizacja Wizard..."},
        {"italian", "Preparazione Wizard..."},
        {"japanese", "\rPreparing wizard..."}, {"dutch", "Voorbereiden Wizard..."}});
    // The middle of the working area grown by two frames, rounded toward zero. Rows: width, height,
    // frameX, frameY, then x, y, width, height.
    for (auto [w, h, fx, fy, x, y, pw, ph] : {std::array{300, 100, 3, 3, 170, 190, 306, 106},
             std::array{301, 101, 0, 0, 169, 189, 301, 101}, std::array{700, 500, 1, 2, -30, -10, 702, 504}}) {
        Placement p = centredPlacement(w, h, 640, 480, fx, fy);
        EXPECT_EQ((std::array{p.x, p.y, p.width, p.height}), (std::array{x, y, pw, ph})) << w << "x" << h;
    }
}
