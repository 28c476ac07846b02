// The extended JVM search: registry layouts in each hive and view, the environment and the usual folders.
#include "installrun.h"

namespace {
// Each hive and view: the key a 64-bit program writes to reach the view's SOFTWARE.
const struct { HKEY root; const char *software, *label; } wheres[] = {
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\", "HKLM 64-bit"}, {HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\", "HKLM 32-bit"},
    {HKEY_CURRENT_USER, "SOFTWARE\\", "HKCU 64-bit"}, {HKEY_CURRENT_USER, "SOFTWARE\\Wow6432Node\\", "HKCU 32-bit"}};

// A package folder with the test class, on a machine whose environment names only the test's folders.
struct Machine : TestFolder {
    ScopedEnv env[6] = {{"JAVA_HOME", nullptr}, {"PATH", "C:\\windows"}, {"ProgramFiles", (native() + "\\pf").c_str()},
        {"ProgramFiles(x86)", (native() + "\\pf86").c_str()}, {"ProgramW6432", (native() + "\\pf64").c_str()},
        {"LOCALAPPDATA", (native() + "\\local").c_str()}};
    Machine() { writeFile("TestJvm.class", ""), writeFile("jinstall.log", ""); }
};

// A home whose launchers report reported, with a release file stating release.
FakeJvmHome jvm(const std::string& folder, const std::string& reported, const char* release = nullptr)
{
    FakeJvmHome home(folder, {"bin\\javaw.exe", "bin\\java.exe"}, {("result=" + reported).c_str(), "wizard=start"});
    if (release) writeFile(home.home + "\\release", std::string("JAVA_VERSION=\"") + release + "\"\r\n");
    return home;
}

std::string candidate(const std::string& source, const char* version, const std::string& home)
{
    return "extended search: " + source + " version " + version + " home " + home;
}
} // namespace

TEST(ExtendedSearch, EachRegistryLayoutInEachHiveAndView)
{
    // One layout of each shape: the version as the key's name, below a vendor's key, or inside the name.
    struct { const char *root, *below, *value, *version; } layouts[] = {
        {"JavaSoft", "Java Development Kit\\1.8.0_392", "Home", "1.8.0_392"},
        {"Eclipse Adoptium", "JDK\\17.0.11.9\\hotspot\\MSI", "Path", "17.0.11.9"},
        {"Microsoft\\JDK", "21.0.2.13\\hotspot\\MSI", "Path", "21.0.2.13"}};
    for (const auto& where : wheres)
        for (const auto& layout : layouts) {
            SCOPED_TRACE(std::string(where.label) + " " + layout.root + "\\" + layout.below);
            Machine machine;
            ScopedRegKey key(where.root, where.software + std::string(layout.root));
            FakeJvmHome home = jvm("Program Files\\jdk", "java.version=17.0.10");
            key.setString(layout.value, "\"" + home.home + "\\\"", layout.below);
            EXPECT_EQ(searchJvm({"", "1.8", ""}, "JRE", "javaw.exe", true), home.home + "\\bin\\javaw.exe");
            EXPECT_EQ(home.calls().size(), 1u);
            std::string source = std::string(layout.root) + "\\" + layout.below + " " + where.label;
            EXPECT_TRUE(traced(candidate(source, layout.version, home.home)));
        }
}

// Homes without the launcher cost no start; the highest release file goes first; a failed test run hands over.
TEST(ExtendedSearch, HighestFirstPassingOverStaleAndRefused)
{
    Machine machine;
    ScopedRegKey javaSoft(HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft");
    FakeJvmHome stale("stale", {}, {}), failing = jvm("failing", "9.0.4", "21"),
                good = jvm("with blanks", "17.0.11", "17"), lower = jvm("lower", "11.0.2", "11"),
                unknown = jvm("unknown", "22");
    javaSoft.setString("JavaHome", stale.home, "JDK\\17");
    javaSoft.setString("JavaHome", failing.home, "JRE\\latest"); // the release file's 21, not the name, ranks it
    ScopedEnv javaHome("JAVA_HOME", ("\"" + unknown.home + "\\\"").c_str());
    ScopedEnv path("PATH", ("\"" + lower.home + "\\bin\";" + good.home + "\\bin").c_str());
    std::vector<FakeJvmHome> inFolders;
    for (const char* folder : {"pf\\Java", "pf86\\Zulu", "pf64\\SapMachine\\JDK", "local\\Programs\\Eclipse Adoptium"})
        inFolders.push_back(jvm(folder + std::string("\\jdk-12"), "12", "12"));
    EXPECT_EQ(searchJvm({"", "11", ""}, "JRE", "jrew.exe", true), good.home + "\\bin\\java.exe") << "java answers for jre";
    EXPECT_EQ(failing.calls().size(), 1u) << "tried first, refused by its test run";
    for (const FakeJvmHome* home : {&lower, &unknown}) EXPECT_TRUE(home->calls().empty()) << home->home;
    Lines lines = {"extended search: dropped " + stale.home + ": no bin\\jrew.exe", candidate("PATH", "11", lower.home),
                   candidate("JAVA_HOME", "unknown", unknown.home),
                   "extended search found " + good.home + "\\bin\\java.exe"};
    for (const FakeJvmHome& home : inFolders)
        lines.push_back(candidate(home.home.substr(0, home.home.rfind('\\')), "12", home.home));
    for (const std::string& line : lines) EXPECT_TRUE(traced(line)) << line;
}
