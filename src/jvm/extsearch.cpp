#include "jvm/extsearch.h"

#include "jvm/findjvm.h"
#include "jvm/jvmok.h"
#include "support/fsys.h"
#include "support/handles.h"
#include "support/registry.h"
#include "support/textbuf.h"
#include "support/textfile.h"

#include <windows.h>

#include <cstring>
#include <memory>

namespace {

// A registry layout below SOFTWARE: the key whose subkeys are the installations, the keys below an
// installation that may hold the value, and the value's names in the order they are read.
struct Layout {
    std::string key;
    std::vector<const char*> below;
    std::vector<const char*> values;
};

// The JavaSoft keys; the plug-in key is among them because the classic search tries it.
std::vector<Layout> javaSoftLayouts()
{
    std::vector<Layout> layouts;
    for (const char* product : {"JDK", "JRE", "Java Runtime Environment", "Java Development Kit", "Java Plug-in"})
        layouts.push_back({std::string("JavaSoft\\") + product, {""}, {"JavaHome", "Home"}});
    return layouts;
}

std::vector<Layout> vendorLayouts()
{
    std::vector<Layout> layouts;
    for (const char* vendor : {"Eclipse Adoptium", "AdoptOpenJDK", "Eclipse Foundation", "Semeru", "Microsoft"})
        for (const char* kind : {"JDK", "JRE"})
            layouts.push_back({std::string(vendor) + "\\" + kind, {"hotspot\\MSI", "openj9\\MSI"}, {"Path"}});
    layouts.push_back({"Azul Systems\\Zulu", {""}, {"InstallationPath"}});
    layouts.push_back({"BellSoft\\Liberica", {""}, {"InstallationPath"}});
    layouts.push_back({"SapMachine\\JDK", {""}, {"JavaHome"}});
    return layouts;
}

struct Hive {
    HKEY root;
    const char* name;
};
struct View {
    REGSAM flag;
    const char* name;
};
const Hive hives[] = {{HKEY_LOCAL_MACHINE, "HKLM"}, {HKEY_CURRENT_USER, "HKCU"}};
const View views[] = {{KEY_WOW64_64KEY, "64-bit"}, {KEY_WOW64_32KEY, "32-bit"}};

// The value of the first name an open key holds; a value longer than its buffer reads as none.
bool readFirstValue(HKEY key, const std::vector<const char*>& names, std::string& value)
{
    std::unique_ptr<char[]> buffer(new char[valueSize]);
    for (const char* name : names)
        if (readRegText(key, name, buffer.get(), valueSize)) {
            value = buffer.get();
            return true;
        }
    return false;
}

void gatherLayout(const Layout& layout, const Hive& hive, const View& view, const char* launcher,
                  std::vector<JvmCandidate>& out)
{
    std::string parent = "SOFTWARE\\" + layout.key;
    UniqueHkey key = openRegKey(hive.root, parent.c_str(), KEY_READ | view.flag);
    if (!key) return;
    std::vector<std::string> names;
    forEachSubkey(key.get(), [&](const char* name) {
        if (name) names.push_back(name);
    });
    for (const std::string& name : names) {
        for (const char* below : layout.below) {
            std::string source = layout.key + "\\" + name + (below[0] ? "\\" : "") + below;
            UniqueHkey install = openRegKey(hive.root, ("SOFTWARE\\" + source).c_str(), KEY_QUERY_VALUE | view.flag);
            std::string value;
            JvmCandidate candidate{source, hive.name, view.name, "", "", false};
            if (!install || !readFirstValue(install.get(), layout.values, value) ||
                !homeOfValue(value.c_str(), launcher, candidate.home))
                continue;
            candidate.versionKnown = versionOfKeyName(name.c_str(), candidate.version);
            out.push_back(candidate);
        }
    }
}

// An environment variable's value; false when it is absent, empty or longer than limit.
bool environmentValue(const char* name, std::string& value, std::size_t limit = pathLimit)
{
    DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
    if (needed == 0 || needed > limit + 1) return false;
    std::string buffer(needed, '\0');
    DWORD length = GetEnvironmentVariableA(name, buffer.data(), needed);
    if (length == 0 || length >= needed) return false;
    value.assign(buffer.data(), length);
    return true;
}

// Windows keeps a PATH of at most this many characters.
constexpr std::size_t pathVariableLimit = 32767;

void gatherPath(const char* launcher, std::vector<JvmCandidate>& out)
{
    std::string path;
    if (!environmentValue("PATH", path, pathVariableLimit)) return;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(';', start);
        if (end == std::string::npos) end = path.size();
        std::string entry = path.substr(start, end - start), folder, name, held;
        start = end + 1;
        JvmCandidate candidate{"PATH", "", "", "", "", false};
        if (!homeOfValue(entry.c_str(), launcher, folder) || !homeOfPathFolder(entry.c_str(), launcher, candidate.home))
            continue;
        if (launcherInFolder(folder, launcher, name, held)) out.push_back(candidate);
    }
}

// The subfolders of folder, each a candidate home.
void gatherSubfolders(const std::string& folder, const char* launcher, std::vector<JvmCandidate>& out)
{
    WIN32_FIND_DATAA entry;
    UniqueFindFile find(FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (!find) return;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !std::strcmp(entry.cFileName, ".") ||
            !std::strcmp(entry.cFileName, ".."))
            continue;
        JvmCandidate candidate{folder, "", "", "", "", false};
        if (homeOfValue((folder + "\\" + entry.cFileName).c_str(), launcher, candidate.home)) out.push_back(candidate);
    } while (FindNextFileA(find.get(), &entry));
}

void gatherFolders(const char* launcher, std::vector<JvmCandidate>& out)
{
    // The three variables often name the same folder: each is searched once.
    std::vector<std::string> bases;
    for (const char* variable : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432"}) {
        std::string value, base;
        if (!environmentValue(variable, value) || !homeOfValue(value.c_str(), launcher, base)) continue;
        bool seen = false;
        for (const std::string& earlier : bases) seen = seen || equalsNoCase(earlier.c_str(), base.c_str());
        if (!seen) bases.push_back(base);
    }
    for (const std::string& base : bases)
        for (const char* vendor : {"Java", "Eclipse Adoptium", "AdoptOpenJDK", "Zulu", "Microsoft", "Amazon Corretto",
                                   "BellSoft", "SapMachine\\JDK", "Semeru", "RedHat"})
            gatherSubfolders(base + "\\" + vendor, launcher, out);
    std::string local, base;
    if (environmentValue("LOCALAPPDATA", local) && homeOfValue(local.c_str(), launcher, base))
        gatherSubfolders(base + "\\Programs\\Eclipse Adoptium", launcher, out);
}

// A release file is a few hundred bytes; more is not read.
constexpr std::size_t releaseReadLimit = 16384;

std::string candidateLine(const JvmCandidate& candidate)
{
    std::string line = "extended search: " + candidate.source;
    if (!candidate.hive.empty()) line += " " + candidate.hive + " " + candidate.view;
    line += " version " + (candidate.versionKnown ? candidate.version : std::string("unknown"));
    return line + " home " + candidate.home;
}

} // namespace

std::vector<JvmCandidate> gatherJvmCandidates(const char* launcher)
{
    std::vector<JvmCandidate> out;
    for (const auto& layouts : {javaSoftLayouts(), vendorLayouts()})
        for (const Hive& hive : hives)
            for (const View& view : views)
                for (const Layout& layout : layouts) gatherLayout(layout, hive, view, launcher, out);
    std::string javaHome;
    JvmCandidate candidate{"JAVA_HOME", "", "", "", "", false};
    if (environmentValue("JAVA_HOME", javaHome) && homeOfValue(javaHome.c_str(), launcher, candidate.home))
        out.push_back(candidate);
    gatherPath(launcher, out);
    gatherFolders(launcher, out);
    return out;
}

bool launcherInFolder(const std::string& folder, const char* commandName, std::string& name, std::string& path)
{
    auto holds = [&](const char* launcher) {
        path = folder + "\\" + launcher;
        name = launcher;
        return path.size() <= pathLimit && pathExists(path.c_str());
    };
    if (holds(commandName)) return true;
    return startsWith(commandName, "jre") && holds(pathExists("jinstall.sem") ? "javaw.exe" : "java.exe");
}

bool versionOfHome(const std::string& home, std::string& version)
{
    UniqueFile file((home + "\\release").c_str(), "rb");
    if (!file) return false;
    std::unique_ptr<char[]> text(new char[releaseReadLimit + 1]);
    std::size_t length = std::fread(text.get(), 1, releaseReadLimit, file.get());
    text[length] = '\0';
    return versionOfReleaseText(text.get(), version);
}

bool FindJvm::searchExtended(const JvmRequest& request, char* jvmPath)
{
    std::string given = request.commandName;
    std::vector<JvmCandidate> withLauncher;
    for (JvmCandidate& candidate : gatherJvmCandidates(given.c_str())) {
        std::string name, path;
        bool found = launcherInFolder(candidate.home + "\\bin", given.c_str(), name, path);
        if (found && versionOfHome(candidate.home, candidate.version)) candidate.versionKnown = true;
        traceMessage(traceLog, candidateLine(candidate).c_str());
        if (found)
            withLauncher.push_back(candidate);
        else
            traceMessage(traceLog, ("extended search: dropped " + candidate.home + ": no bin\\" + given).c_str());
    }
    CandidateOrder order = orderCandidates(withLauncher, request.rules);
    for (const DroppedCandidate& dropped : order.dropped)
        traceMessage(traceLog, ("extended search: dropped " + dropped.candidate.home + ": " + dropped.reason).c_str());

    for (const JvmCandidate& candidate : order.tried) {
        std::string name, path;
        if (!launcherInFolder(candidate.home + "\\bin", given.c_str(), name, path)) continue;
        JvmOk checker;
        checker.setHwnd(hwnd);
        checker.judgeNumerically(true);
        if (checker.correctVersion(request.rules, path.c_str()) && copyText(jvmPath, pathSize, path.c_str())) {
            copyText(request.commandName, launcherNameSize, name.c_str());
            traceMessage(traceLog, "extended search found", jvmPath);
            return true;
        }
    }
    traceMessage(traceLog, "extended search found no acceptable JVM");
    return false;
}
