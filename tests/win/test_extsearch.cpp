// The extended JVM search: every registry layout in each hive and view, the environment and the usual
// folders, what is passed over without a JVM start, the order of the tries, and the run that uses it.
#include "fakejvm.h"
#include "installrun.h"
#include "jvm/findjvm.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct HiveView {
    HKEY root;
    REGSAM view;
    const char* label; // as the trace names it
};
const HiveView hiveViews[] = {{HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, "HKLM 64-bit"},
                              {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, "HKLM 32-bit"},
                              {HKEY_CURRENT_USER, KEY_WOW64_64KEY, "HKCU 64-bit"},
                              {HKEY_CURRENT_USER, KEY_WOW64_32KEY, "HKCU 32-bit"}};

// SOFTWARE\root in one hive and view, deleted before and after the test.
class ViewKey {
public:
    ViewKey(const HiveView& where, std::string root) : where_(where), root_("SOFTWARE\\" + std::move(root)) { clear(); }
    ~ViewKey() { clear(); }
    void set(const std::string& below, const char* name, const std::string& value)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(where_.root, (root_ + "\\" + below).c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS | where_.view, nullptr, &key, nullptr), ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
        RegCloseKey(key);
    }

private:
    void clear()
    {
        HKEY software = nullptr;
        if (RegOpenKeyExA(where_.root, "SOFTWARE", 0, KEY_ALL_ACCESS | where_.view, &software) != ERROR_SUCCESS) return;
        RegDeleteTreeA(software, root_.c_str() + 9);
        RegCloseKey(software);
    }
    HiveView where_;
    std::string root_;
};

// An environment variable set for the test (absent for null), put back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) saved_ = old, existed_ = true;
        SetEnvironmentVariableA(name, value);
    }
    ~ScopedEnv() { SetEnvironmentVariableA(name_.c_str(), existed_ ? saved_.c_str() : nullptr); }

private:
    std::string name_, saved_;
    bool existed_ = false;
};

// A package folder with the test class, on a machine whose environment names only the test's folders.
struct Machine : TestFolder {
    ScopedEnv javaHome{"JAVA_HOME", nullptr}, pathVariable{"PATH", "C:\\windows\\system32;C:\\windows"};
    ScopedEnv programFiles{"ProgramFiles", (native() + "\\pf").c_str()};
    ScopedEnv programFilesX86{"ProgramFiles(x86)", (native() + "\\pf86").c_str()};
    ScopedEnv programW6432{"ProgramW6432", (native() + "\\pf64").c_str()};
    ScopedEnv localAppData{"LOCALAPPDATA", (native() + "\\local").c_str()};
    Machine()
    {
        writeFile("TestJvm.class", "");
        writeFile("jinstall.log", "");
    }
    // A home whose launcher reports reported; release: its release file's version, if any.
    static FakeJvmHome jvm(const std::string& folder, const char* reported, const char* release = nullptr)
    {
        std::string result = std::string("result=java.version=") + reported;
        FakeJvmHome home(folder, {"bin\\javaw.exe", "bin\\java.exe"}, {result.c_str(), "wizard=start"});
        if (release) writeFile(home.home + "\\release", std::string("JAVA_VERSION=\"") + release + "\"\r\n");
        return home;
    }
    bool search(const char* min, std::string& path, const char* command = "javaw.exe")
    {
        char found[pathSize] = "", none[] = "", name[launcherNameSize];
        std::strcpy(name, command);
        const JvmRequest request = {{"", min, ""}, "", "JRE", name, "", none, none};
        bool ok = FindJvm().searchExtended(request, found);
        path = found;
        return ok;
    }
    bool traced(const std::string& line) const
    {
        Lines trace = readLogLines("jinstall.log");
        return std::count(trace.begin(), trace.end(), line) == 1;
    }
};

std::string candidate(const std::string& source, const char* version, const std::string& home)
{
    return "extended search: " + source + " version " + version + " home " + home;
}

} // namespace

// Each layout in each hive and view, one at a time: found, started once, traced with where it came from.
TEST(ExtendedSearch, EveryRegistryLayoutInEveryHiveAndView)
{
    struct Layout { const char *root, *below, *value, *version; } layouts[] = {
        {"JavaSoft", "JDK\\17", "JavaHome", "17"}, {"JavaSoft", "JRE\\10", "JavaHome", "10"},
        {"JavaSoft", "Java Runtime Environment\\1.8", "JavaHome", "1.8"},
        {"JavaSoft", "Java Development Kit\\1.8.0_392", "Home", "1.8.0_392"},
        {"Eclipse Adoptium", "JDK\\17.0.11.9\\hotspot\\MSI", "Path", "17.0.11.9"},
        {"Eclipse Adoptium", "JRE\\8.0.422.5\\hotspot\\MSI", "Path", "8.0.422.5"},
        {"AdoptOpenJDK", "JDK\\8.0.192.12\\openj9\\MSI", "Path", "8.0.192.12"},
        {"Eclipse Foundation", "JDK\\11.0.12.7\\hotspot\\MSI", "Path", "11.0.12.7"},
        {"Semeru", "JRE\\17.0.10.0\\openj9\\MSI", "Path", "17.0.10.0"},
        {"Microsoft\\JDK", "21.0.2.13\\hotspot\\MSI", "Path", "21.0.2.13"},
        {"Azul Systems", "Zulu\\zulu-17", "InstallationPath", "17"},
        {"BellSoft", "Liberica\\LibericaJDK-17-Full", "InstallationPath", "17"},
        {"SapMachine", "JDK\\21", "JavaHome", "21"}};
    for (const HiveView& where : hiveViews)
        for (const Layout& layout : layouts) {
            SCOPED_TRACE(std::string(where.label) + " " + layout.root + "\\" + layout.below);
            Machine machine;
            ViewKey key(where, layout.root);
            FakeJvmHome jvm = Machine::jvm("Program Files\\jdk", "17.0.10");
            key.set(layout.below, layout.value, "\"" + jvm.home + "\\\"");
            std::string path;
            EXPECT_TRUE(machine.search("1.8", path));
            EXPECT_EQ(path, jvm.home + "\\bin\\javaw.exe");
            EXPECT_EQ(jvm.calls().size(), 1u);
            std::string source = std::string(layout.root) + "\\" + layout.below + " " + where.label;
            EXPECT_TRUE(machine.traced(candidate(source, layout.version, jvm.home)));
            EXPECT_TRUE(machine.traced("extended search found " + path));
        }
}

// Stale keys and refused versions cost no JVM start; a version the release file states beats the key name.
TEST(ExtendedSearch, PassedOverWithoutAStart)
{
    Machine machine;
    ViewKey javaSoft(hiveViews[0], "JavaSoft"), zulu(hiveViews[1], "Azul Systems"), sap(hiveViews[2], "SapMachine");
    FakeJvmHome stale("stale", {}, {}), old = Machine::jvm("old", "11.0.2"), renamed = Machine::jvm("renamed", "17", "11");
    javaSoft.set("JDK\\17", "JavaHome", stale.home);
    javaSoft.set("JDK\\21", "JavaHome", machine.native() + "\\gone");
    zulu.set("Zulu\\zulu-11", "InstallationPath", old.home);
    sap.set("JDK\\17", "JavaHome", renamed.home);
    std::string path;
    EXPECT_FALSE(machine.search("17", path));
    EXPECT_TRUE(old.calls().empty());
    EXPECT_TRUE(renamed.calls().empty());
    EXPECT_TRUE(machine.traced(candidate("SapMachine\\JDK\\17 HKCU 64-bit", "11", renamed.home)));
    for (const std::string& line : {"extended search: dropped " + stale.home + ": no bin\\javaw.exe",
                                    "extended search: dropped " + machine.native() + "\\gone: no bin\\javaw.exe",
                                    "extended search: dropped " + old.home + ": version 11 is not accepted",
                                    "extended search: dropped " + renamed.home + ": version 11 is not accepted"})
        EXPECT_TRUE(machine.traced(line)) << line;
    EXPECT_EQ(readLogLines("jinstall.log").back(), "extended search found no acceptable JVM");
}

// Highest version first, unknown last; a JVM that fails its test run hands over to the next one.
TEST(ExtendedSearch, HighestFirstAndFailedRunFallsThrough)
{
    Machine machine;
    ViewKey javaSoft(hiveViews[0], "JavaSoft"), adoptium(hiveViews[3], "Eclipse Adoptium");
    FakeJvmHome unknown = Machine::jvm("unknown", "22"), failing = Machine::jvm("failing", "9.0.4", "21"),
                good = Machine::jvm("good", "17.0.11"), lower = Machine::jvm("lower", "11.0.2");
    javaSoft.set("JDK\\current", "JavaHome", unknown.home);
    javaSoft.set("JDK\\11", "JavaHome", lower.home);
    javaSoft.set("JRE\\latest", "JavaHome", failing.home);
    adoptium.set("JDK\\17.0.11.9\\hotspot\\MSI", "Path", good.home);
    std::string path;
    char command[] = "jrew.exe";
    ASSERT_TRUE(machine.search("11", path, command));
    EXPECT_EQ(path, good.home + "\\bin\\java.exe") << "a jre launcher name is answered by java's";
    EXPECT_EQ(std::vector<std::size_t>({failing.calls().size(), good.calls().size(), lower.calls().size(),
                                        unknown.calls().size()}), std::vector<std::size_t>({1, 1, 0, 0}));
    EXPECT_TRUE(machine.traced(candidate("JavaSoft\\JDK\\current HKLM 64-bit", "unknown", unknown.home)));
}

// JAVA_HOME, PATH and the usual folders, each alone; a PATH entry too long for a path is refused, not cut.
TEST(ExtendedSearch, EnvironmentAndFolders)
{
    struct Row { const char *variable, *folder, *source; } rows[] = {
        {"JAVA_HOME", "jdk", "JAVA_HOME"}, {"PATH", "with blanks\\jdk 17", "PATH"},
        {"ProgramFiles", "pf\\Java\\jdk-17", "@\\pf\\Java"}, {"ProgramFiles(x86)", "pf86\\Zulu\\zulu-17", "@\\pf86\\Zulu"},
        {"ProgramW6432", "pf64\\SapMachine\\JDK\\17", "@\\pf64\\SapMachine\\JDK"},
        {"LOCALAPPDATA", "local\\Programs\\Eclipse Adoptium\\jdk-17", "@\\local\\Programs\\Eclipse Adoptium"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.variable);
        Machine machine;
        FakeJvmHome jvm = Machine::jvm(r.folder, "17.0.10", "17.0.10");
        std::string path, source = r.source;
        if (source[0] == '@') source.replace(0, 1, machine.native());
        std::unique_ptr<ScopedEnv> set;
        if (source == "JAVA_HOME") set.reset(new ScopedEnv(r.variable, ("\"" + jvm.home + "\\\"").c_str()));
        if (source == "PATH") set.reset(new ScopedEnv(r.variable, ("C:\\windows;" + jvm.home + "\\bin").c_str()));
        EXPECT_TRUE(machine.search("17", path));
        EXPECT_EQ(path, jvm.home + "\\bin\\javaw.exe");
        EXPECT_TRUE(machine.traced(candidate(source, "17.0.10", jvm.home)));
    }
    Machine machine;
    FakeJvmHome quoted = Machine::jvm("quoted", "11.0.2", "11"), blanks = Machine::jvm("with blanks\\jdk", "17", "17"),
                longer = Machine::jvm("long", "21", "21");
    std::string path, entries = "\"" + quoted.home + "\\bin\";" + blanks.home + "\\bin;" + longer.home + "\\bin" +
                                std::string(pathSize, '\\');
    ScopedEnv set("PATH", entries.c_str());
    ASSERT_TRUE(machine.search("11", path));
    EXPECT_EQ(path, blanks.home + "\\bin\\javaw.exe");
    EXPECT_TRUE(machine.traced(candidate("PATH", "11", quoted.home)));
    EXPECT_TRUE(longer.calls().empty());
}

// The run uses what the extended search finds as it uses a classic find; without the key it never searches.
TEST(ExtendedSearch, RunsOnlyWhenTheControlFileAsks)
{
    for (const char* key : {"", "extendedJvmSearch=YES\r\n", "extendedJvmSearch=no\r\n"}) {
        SCOPED_TRACE(key);
        InstallRun run;
        ScopedEnv path("PATH", "C:\\windows\\system32;C:\\windows"), javaHome("JAVA_HOME", nullptr);
        ViewKey adoptium(hiveViews[0], "Eclipse Adoptium");
        FakeJvmHome jvm = Machine::jvm("jdk", "17.0.10");
        adoptium.set("JDK\\17.0.10.7\\hotspot\\MSI", "Path", jvm.home);
        writeFile("TestJvm.class", "");
        writeFile("install.jar", "PK");
        writeFile("jinstall.log", "");
        writeFile("qiv.control", std::string("jvmMinVersion=11\r\njvmCommandName=javaw.exe\r\n") + key);
        bool extended = key[0] == 'e' && key[18] == 'Y';
        run.run();
        Lines trace = readLogLines("jinstall.log");
        EXPECT_EQ(traced("Found correct version of JVM: " + jvm.home + "\\bin\\javaw.exe"), extended);
        EXPECT_EQ(std::count_if(trace.begin(), trace.end(), [](const std::string& l) {
                      return l.rfind("extended search", 0) == 0;
                  }) > 0, extended);
        EXPECT_EQ(traced("jvm home dir " + jvm.home), extended);
        EXPECT_EQ(jvm.calls().size(), extended ? 2u : 0u) << "the test class, then the wizard";
    }
}
