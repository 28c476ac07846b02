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
#include "rows.h"
#include "security/securityrules.h"
#include "support/spawnargs.h"
#include "support/textfile.h"
#include "testfiles.h"

#include <array>
#include <cstring>
#include <memory>
#include <vector>

using Words = std::vector<std::string>;
using Traces = std::vector<std::pair<std::string, std::string>>;

namespace {
// bytes as a file opened for reading; the caller's TestFolder holds it.
UniqueFile opened(const std::string& bytes)
{
    writeFile("in", bytes);
    return UniqueFile("in", "rb");
}
} // namespace

// A refused line leaves the earlier value; an embedded NUL ends a value; the switches and the install
// folder are cleaned right after the copy, other values keep their backslashes.
TEST(ControlFile, RefusesTooLongValuesCleansSwitchesAndFolderAndLooksUpOneKey)
{
    // Key fields start out filled with '?', so that an untouched or unterminated field shows.
    auto v = std::make_unique<ControlValues>();
    for (int i = 0; i < controlKeyCount; ++i) std::memset(controlKeys()[i].field(*v), '?', controlKeys()[i].size);
    Words refused;
    ControlParseEvents events;
    events.trace = [](const char*, const char*) {};
    events.valueTooLong = [&](const ControlKey& key, std::size_t) { refused.push_back(key.name); };
    TestFolder folder;
    parseControlText(opened("jvmRequiredVersion=1.4\njvmRequiredVersion=" + std::string(201, '1') + "\njvmVersion=" +
                            std::string(200, '2') + "\n" + std::string("jvmName=ab\0cd\n", 14) +
                            "jvmExtraParameters=-Dp=\\\"a b\\\" -Dq=C:\\\\dir\\\\\n"
                            "predefinedJvmInstallDir=C\\:\\\\Program Files\\\\App\njvmHomeDir=C\\:\\\\x\n").get(),
                     *v, events);
    EXPECT_EQ((Words{v->jvmRequiredVersion, v->jvmVersion, v->jvmName, v->jvmExtraParameters,
                     v->predefinedJvmInstallDir, v->jvmHomeDir}),
              (Words{"1.4", std::string(200, '2'), "ab", "-Dp=\"a b\" -Dq=C:\\dir\\", "C:\\Program Files\\App",
                     "C\\:\\\\x"}));
    EXPECT_EQ(refused, (Words{"jvmRequiredVersion"}));
    eachRow<std::string, std::string>([](const std::string& bytes) {
        UniqueFile in = opened(bytes), out("out", "wb");
        bool ok = in && out && convertLineEndingsText(in.get(), out.get(), "|");
        out.reset();
        return (ok ? "" : "failed:") + readFile("out");
    }, {{"a\r\nb", "a|b"}, {"a\rb\rc\n", "abc|"}, {"x=1\r\n\x1A" "tail", "x=1|\x1A" "tail"}});
    // One key alone: the first matching line wins; the fallback file is read only when the control file cannot
    // be opened ("-": none); long lines are read in pieces, and a key at the start of a later piece counts.
    writeFile("native.properties", "configureWinRegistry=false\r\n");
    eachRow<std::string, std::string>([](const std::string& control) {
        if (control == "-") std::remove("qiv.control");
        else writeFile("qiv.control", control);
        ControlKeyLookup lookup = lookUpControlKey("configureWinRegistry", "native.properties");
        return !lookup.opened ? "unopened" : lookup.found ? "found:" + std::string(lookup.value()) : "none";
    }, {{"# configureWinRegistry=yes\r\nconfigureWinRegistry=no\r\nconfigureWinRegistry=yes\r\n", "found:no"},
        {"jvmName=x\r\n", "none"}, {"-", "found:false"},
        {std::string(998, 'x') + "configureWinRegistry=YES\n", "found:YES"}});
    eachRow<bool>(isAffirmative, {{"YES", true}, {"TRUE", true}, {"yes ", false}});
}

// Lines match their key at the first character, case-sensitively ("-": none). Backslashes before the nine
// reserved characters go, each deletion traced ("#n"). Install folders have their backslash runs halved.
TEST(ControlText, KeysBackslashesAndSeparators)
{
    eachRow([](const char* line) {
        const ControlKey* key = matchControlKey(line);
        return key ? std::string(key->name) + "|" + controlValue(line, key->name) : "-";
    }, {{"jvmName:My JVM ", "jvmName|My JVM "}, {"jvmName", "jvmName|"}, {"jvmVersionX=1", "jvmVersion|=1"},
        {"JvmName=x", "-"}, {" jvmName=x", "-"}});
    eachRow([](const char* in) {
        std::string text = in;
        int steps = 0;
        removeExtraBackSlashes(text.data(), [&](const char*, const char*) { ++steps; });
        return std::string(text.c_str()) + "#" + std::to_string((steps - 2) / 2);
    }, {{"-Dp=\\\"a b\\\"", "-Dp=\"a b\"#2"}, {"\\\\\\\\x", "\\x#3"}, {"\\", "\\#0"}});
    eachRow([](std::string text) { normaliseSeparators(text.data()); return std::string(text.c_str()); },
            {{"C\\:\\\\Program Files\\\\App\\", "C:\\Program Files\\App\\"}, {"\\\\\\\\server", "\\\\server"},
             {"//server/share", "\\\\server\\share"}, {"\\\\\\x", "\\\\x"}});
}

// Missing values take their defaults; the launcher is the windowless one unless a user's trace log wants a console.
TEST(VerifyControlValues, DefaultsAndLauncherName)
{
    auto verified = [](const char* launcher, bool console, const char* required = "1.4") {
        auto values = std::make_unique<ControlValues>();
        std::strcpy(values->jvmRequiredVersion, required);
        std::strcpy(values->jvmCommandName, launcher);
        verifyControlValues(*values, console);
        return values;
    };
    auto v = verified("", false, "");
    EXPECT_EQ((Words{v->jvmRequiredVersion, v->jvmVersion, v->jvmName, v->loaderClasspath}),
              (Words{"1.1.8", "1.1.8", "JRE", ".;install.jar"}));
    eachRow([&](const char* in) {
        return std::string(verified(in, false)->jvmCommandName) + "|" + verified(in, true)->jvmCommandName;
    }, {{"", "jrew.exe|jre.exe"}, {"start.BAT", "start.bat|start.bat"}, {"run.com", "run.com|run.com"},
        {"java.exe.old", "javaw.exe|java.exe.old"}, {"my.launcher.v2", "my.exe|my.exe"}});
}

// A required version is a prefix, ignoring case; range bounds are prefixes in _stricmp order; a very
// long found version is judged on its beginning.
TEST(VersionRules, AcceptExtractAndParseVersion)
{
    const std::string long14 = "1.4." + std::string(5000, '9');
    struct { const char *required, *min, *max; std::string found; bool accepted; } cases[] = {
        {"1.4", "", "", "1.40", true}, {"1.4.2_05-B04", "", "", "1.4.2_05-b04", true},
        {"", "1.4", "1.5", "1.5.0_22", true}, {"", "1.9", "", "1.10.0", false}, {"1.4", "", "", long14, true},
        {"", "1.5", "", long14, false}};
    for (const auto& c : cases)
        EXPECT_EQ(acceptVersion({c.required, c.min, c.max}, c.found.c_str()), c.accepted)
            << "required " << c.required << " min " << c.min << " max " << c.max << " found " << c.found.substr(0, 20);
    // The version is the text from the first to the last digit; family and micro split at the last dot
    // from two dots on, and parts that do not fit are cut and reported.
    eachRow([](std::string line) { extractVersion(line.data()); return std::string(line.c_str()); },
            {{"java.version=1.6.0_22-ea", "1.6.0_22"}, {"no digits at all\n", ""}});
    eachRow<std::string, std::string>([](const std::string& version) {
        char family[100], micro[100];
        bool whole = parseVersion(version.c_str(), family, sizeof family, micro, sizeof micro);
        return (whole ? "" : "cut:") + std::string(family) + "|" + micro;
    }, {{"1.4", "1.4|0"}, {"1.3.1.2", "1.3.1|2"}, {"1.3." + std::string(150, '7'), "cut:1.3|" + std::string(99, '7')}});
}

// A "bin" part counts only whole; the plug-in is a JVM name of its own.
TEST(InstallRules, NamesFoldersAndVariables)
{
    eachRow(registryJvmHome, {{"C:\\jdk\\bin", "c:\\jdk"}, {"C:\\Apps\\binaries\\jre", "c:\\apps\\binaries\\jre"},
        {"C:\\jre\\BIN\\hotspot", "c:\\jre"}, {"\\bin", ""}});
    eachRow<bool>(isKnownJvmName, {{"Java Plug-in", true}, {"jre", false}, {"XJRE", false}});
    eachRow([](const char* in) { return applyJvmHomeDir(in[0] == '.' ? "C:\\App\\jvm" : "C:\\App", in); },
            {{"./jre", "C:\\App\\jvm\\jre"}, {"C:/Java/jre", "C:\\Java\\jre"}});
    eachRow([](const char* in) { return joinFolder(in, "jvm"); },
            {{"", "jvm"}, {"C:\\", "C:\\jvm"}, {"C:", "C:\\jvm"}});
    // A variable is valid only with a folder behind it.
    eachRow([](const char* predefined) {
        std::string dir = "stale";
        VariableDir result = expandVariableDir("[$AppDir]", "C:\\Program Files", predefined, dir);
        return (result == VariableDir::valid ? "valid|" : result == VariableDir::bare ? "bare|" : "no folder|") + dir;
    }, {{"x[$AppDir]\\jre", "valid|C:\\Program Files\\jre"}, {"[$AppDir]", "no folder|"}, {"[$AppDir]\\", "bare|"}});
}

// A command with a blank is quoted unless it begins with a quote; arguments split at every single blank.
TEST(CommandRules, CommandsArgumentsAndTexts)
{
    eachRow(formattedCommand,
            {{"C:\\My Dir\\x.exe", "\"C:\\My Dir\\x.exe\""}, {"\"C:\\My Dir\\x.exe\" -s", "\"C:\\My Dir\\x.exe\" -s"}});
    EXPECT_EQ(argumentCount("-a  -b"), 4) << "three words and the terminating entry";
    EXPECT_EQ(launchBatchText("setup.exe", "/s"), "@echo off\nsetup.exe /s\ndel __qivwait.sem\n");
    eachRow<std::string, int>(launchFailureText, {{2, "File or path is not found"}, {13, "Unknown error"}});
    eachRow<unsigned>([](const char* s) { return testRunLimit(s, 120); },
                      {{"1", 1}, {"121", 120}, {"0", 120}, {"5s", 120}});
    eachRow(asOneArgument, {{"\"a b\"", "\"a b\""}, {"C:\\Documents and Settings", "\"C:\\Documents and Settings\""}});
    eachRow(programPath, {{"\"C:\\Program Files\\setup.exe\"", "C:\\Program Files\\setup.exe"}, {"\"", "\""}});
}

// Backups, the identity database and the user's keystore; a file named after a token stays below it.
TEST(SecurityRules, BackupsIdentityDatabaseAndTokens)
{
    eachRow(backupPath, {{"C:\\jre\\lib\\security\\java.policy", "C:\\jre\\lib\\security\\java.001"},
        {"C:\\my.folder\\keystore", "C:\\my.folder\\keystore.001"}, {"java.policy", "java.policy.001"}});
    const std::string path = "C:\\jre\\java.policy";
    EXPECT_EQ(backupChangeLine("klingon", path), "Renamed to " + path + " identitydb.001");
    eachRow(identityDatabasePath,
            {{"identity.database=C:/Data\\\\/x  \r\n", "C:\\Data\\x"}, {" identity.database=C:/x", ""}});
    eachFilled(keystoreInUserHome, {{"${USER.HOME}/.keystore", ".keystore"}, {"${user.home}/sub/.keystore", "-"}});
    eachRow<bool>([](const char* in) { return staysInsideToken(parseSecuritySpec(in).afterToken); },
        {{"${user.home}/./a\\b..", true}, {"${java.home}/lib/../../x", false}, {"${user.home}/a/.. /x", false},
         {"${user.home}C:\\x", false}});
}

// A manifest name, a properties line, the record the cleanup reads back and the folders it may empty.
TEST(CleanupRules, ManifestPropertiesAndFolders)
{
    eachRow<bool>(staysInsideFolder, {{"a..b\\c", true}, {"lib/../../x", false}, {"/etc/passwd", false},
        {"C:x", false}});
    eachFilled([](const char* line, std::string& value) { return propertyValue(line, "configureWinRegistry", value); },
               {{"configureWinRegistry=", ""}, {"configureWinRegistryX=1", "-"}, {" configureWinRegistry=1", "-"}});
    // For each key the last line wins; the registry is configured unless the record says otherwise.
    eachRow([](const char* text) {
        TestFolder folder;
        JvmLocationRecord r = readJvmLocation(opened(text).get());
        return r.location + "|" + r.inTemp + "|" + r.tempDir + "|" + (r.configureRegistry ? "yes" : "no") + "|" +
               std::to_string(r.trace.size());
    }, {{"nativeJvmInstalled=true\r\n", "|||yes|0"},
        {"nativeJvmHomeDir=C\\:/jre\r\nnativeJvmInstalledInTemp=true\nnativeTempJvmDir=C\\:/pkg/jre\n"
         "configureWinRegistry=NO\nconfigureWinRegistry=Yes\n", "C:\\jre|true|C:\\pkg\\jre|yes|5"},
        {"configureWinRegistry=false\n", "|||no|1"}});
    // Paths as Windows reads them (parts it reads in more than one way refused), and strictly below
    // C:\Temp\pkg ("|in"), ignoring case.
    eachRow([](const char* in) {
        std::string out;
        return (normalisePath(in, out) ? out : "refused") + (isFolderInside(in, "C:\\Temp\\pkg\\") ? "|in" : "");
    }, {{"c:/temp//PKG/./jre/", "c:\\temp\\PKG\\jre|in"}, {"C:\\Temp\\pkg\\.", "C:\\Temp\\pkg"},
        {"C:\\Temp\\pkg2\\x", "C:\\Temp\\pkg2\\x"}, {"C:\\Temp\\pkg\\..\\x", "C:\\Temp\\x"},
        {"C:\\Temp\\pkg\\...", "refused"}, {"C:\\Temp\\pkg\\.. \\x", "refused"}, {"a\\..\\..", "refused"}});
    eachRow<bool>(isRunFile, {{"./x/../QIV.CONTROL. ", true}, {"x.LOG", true}, {"lib\\qiv.control", false},
        {"x.log.txt", false}});
}

// The cleanup program empties only the folder it runs from ("!": another), never one holding what the user keeps.
TEST(CleanupProgramRules, RefusedFoldersAndTheLogFolder)
{
    eachRow([](const char* folder) {
        const char* own = *folder == '!' ? "C:\\q3" : folder;
        ProtectedFolders here{"C:\\Windows", "C:\\Users\\ann", "C:\\Users\\ann\\Downloads", own};
        const char* why = folderRefusal(folder + (*folder == '!'), here);
        return std::string(why ? why : "ok");
    }, {{"c:/users/ANN/appdata//temp/q1/", "ok"}, {"\\\\srv\\share\\q1", "ok"}, {"C:\\Win", "ok"},
        {"q1", "not a full path"}, {"C:\\q1\\..\\..", "not a full path"}, {"\\\\srv\\share", "a drive or share root"},
        {"!C:\\q2", "not the cleanup program's folder"}, {"C:\\", "a drive or share root"},
        {"C:\\WINDOWS\\", "holds the Windows folder"}, {"C:\\Users\\bob", "holds a user profile"},
        {"C:\\Users\\ann\\Downloads", "holds the start folder"}});
}

// Launchers without "java" in their file name need swing; the test is case-sensitive.
TEST(WizardRules, SwingClassPathAndArguments)
{
    eachRow<bool>(swingWanted, {{"C:\\java\\bin\\jre.exe", true}, {"C:\\jre\\bin\\javaw.exe", false},
        {"C:\\jre\\bin\\JAVA.EXE", true}});
    // Elements with a blank are quoted; a dropped element takes no separator with it.
    struct { const char *what, *loader; std::string swing; bool exists, wanted; std::string text; Traces traces; }
    cases[] = {
        {"JVM copy with a blank", "lib/swingall.jar;.;install.jar", "C:\\Java Home\\lib\\swingall.jar", true, true,
         "\"C:\\Java Home\\lib\\swingall.jar\";.;install.jar", {{"added swing to classpath", ""}}},
        {"missing", "lib/swingall.jar;.;install.jar", "C:\\jre\\lib\\swingall.jar", false, true, ".;install.jar",
         {{"swing file does not exist", "C:\\jre\\lib\\swingall.jar"}}}};
    for (const auto& c : cases) {
        ClassPath path = composeClassPath(c.loader, c.swing, c.exists, c.wanted);
        EXPECT_EQ(path.text, c.text) << c.what;
        EXPECT_EQ(path.traces, c.traces) << c.what;
    }
    EXPECT_EQ(composeClassPath("swingall.jar", std::string(1011, 's'), true, true).text.size(), 1011u)
        << "a class path that reaches the limit exactly still fits";
    // Blanks in the options give empty words; quiet wins over silent; a target with a quote and a blank is quoted.
    struct { const char* what; WizardCommand command; Words arguments; } commands[] = {
        {"double blank in the options", {"C:\\jre\\bin\\javaw.exe", "-Xmx64m  -Dy=1", "", "cp", "Main -v", "", false,
         false}, {"javaw.exe", "-Xmx64m", "", "-Dy=1", "", "cp", "Main", "-v"}},
        {"quiet wins over silent", {"j.exe", "", "-cp", "cp", "M", "C:\\Target", true, true},
         {"j.exe", "-cp", "cp", "M", "-q", "C:\\Target"}},
        {"quote and blank: in quotes", {"j.exe", "", "-cp", "cp", "M", "C:\\A \"B\"", true, false},
         {"j.exe", "-cp", "cp", "M", "-q", "\"C:\\A \"B\"\""}}};
    for (const auto& c : commands) EXPECT_EQ(wizardArguments(c.command), c.arguments) << c.what;
    std::string text = argumentText({"javaw.exe", "-Dp=a b", "", ".;\"C:\\My Libs\\a.jar\"", "C:\\Program Files"});
    EXPECT_EQ(text, "javaw.exe \"-Dp=a b\"  .;\"C:\\My Libs\\a.jar\" \"C:\\Program Files\"");
}

// Only tokens followed by a space are switches. A quoted argument with spaces loses its quotes; one
// without spaces keeps them as the last piece and loses its closing quote before more text.
TEST(CommandLine, HidingWindowsAndWizardSwitches)
{
    eachRow<bool>(commandLineHidesWindows, {{"-s C:\\Target", true}, {"-q", false}, {"my-setup x", true},
        {"C:\\my-setup", false}, {" -q", false}, {"-Q x", false}, {nullptr, false}});
    eachRow([](const char* line) {
        WizardSwitches s = readWizardSwitches(line);
        return std::string(s.quiet ? "q" : "") + (s.silent ? "s" : "") + "|" + s.wizardArgument;
    }, {{"-q \"C:\\Program Files\\App\"", "q|C:\\Program Files\\App"}, {"-s \"C:\\App\"", "s|\"C:\\App\""},
        {"-q first second", "q|first"}, {"-s -q C:\\App", "qs|C:\\App"}, {"-q \"C:\\App\" more", "q|C:\\App"},
        {"-q \"C:\\Documents and Settings\\App\" more", "q|C:\\Documents and Settings\\App"}});
    eachRow(startupText, {{"klingon", "Unpacking the installer..."}, {"german", "Bereite Wizard.."}});
    // The middle of the working area grown by two frames, rounded toward zero.
    Placement p = centredPlacement(701, 501, 640, 480, 1, 2);
    EXPECT_EQ((std::array{p.x, p.y, p.width, p.height}), (std::array{-30, -10, 703, 505}));
}
