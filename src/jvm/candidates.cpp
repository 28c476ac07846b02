#include "jvm/candidates.h"

#include "jvm/numversion.h"
#include "jvm/versionrules.h"
#include "support/textbuf.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t versionLimit = versionSize - 1;

bool isSlash(char c)
{
    return c == '\\' || c == '/';
}

void dropTrailingSlashes(std::string& folder)
{
    while (!folder.empty() && isSlash(folder.back())) folder.pop_back();
}

// The folder a value names. A value too long for a path, or with a double quote inside (homes are
// quoted on command lines), is refused rather than cut.
bool folderOf(const char* value, std::string& folder)
{
    if (std::strlen(value) > pathLimit) return false;
    folder = value;
    auto trim = [&folder](char c) {
        while (!folder.empty() && folder.back() == c) folder.pop_back();
        std::size_t start = folder.find_first_not_of(c);
        folder.erase(0, start == std::string::npos ? folder.size() : start);
    };
    trim(' ');
    trim('"');
    dropTrailingSlashes(folder);
    return !folder.empty() && folder.find('"') == std::string::npos;
}

// A home is kept only when its launcher path fits.
bool keepHome(const std::string& found, const char* launcher, std::string& home)
{
    std::string path;
    if (found.empty() || !launcherPathOf(found, launcher, path)) return false;
    home = found;
    return true;
}

// A home is compared by its full path ignoring case and a trailing backslash.
std::string homeKey(std::string home)
{
    dropTrailingSlashes(home);
    lowerAscii(home.data());
    return home;
}

} // namespace

bool versionOfReleaseText(const char* text, std::string& version)
{
    static const char key[] = "JAVA_VERSION=";
    const char* line = text;
    while (!startsWith(line, key)) {
        line = std::strchr(line, '\n');
        if (!line) return false;
        ++line;
    }
    const char* value = line + sizeof key - 1;
    std::size_t length = std::strcspn(value, "\r\n");
    if (length >= 2 && value[0] == '"' && value[length - 1] == '"') {
        ++value;
        length -= 2;
    }
    if (length == 0 || length > versionLimit) return false;
    version.assign(value, length);
    return true;
}

bool versionOfKeyName(const char* name, std::string& version)
{
    if (std::strlen(name) > versionLimit) return false;
    std::string work = name;
    extractVersion(work.data());
    work.resize(std::strlen(work.c_str()));
    if (work.empty()) return false;
    version = work;
    return true;
}

bool launcherPathOf(const std::string& home, const char* launcher, std::string& path)
{
    std::string whole = home + "\\bin\\" + launcher;
    if (whole.size() > pathLimit) return false;
    path = whole;
    return true;
}

bool homeOfValue(const char* value, const char* launcher, std::string& home)
{
    std::string folder;
    return folderOf(value, folder) && keepHome(folder, launcher, home);
}

bool homeOfPathFolder(const char* folder, const char* launcher, std::string& home)
{
    std::string found;
    if (!folderOf(folder, found)) return false;
    std::size_t slash = found.find_last_of("\\/");
    std::size_t lastPart = slash == std::string::npos ? 0 : slash + 1;
    if (equalsNoCase(found.c_str() + lastPart, "bin")) {
        found.resize(lastPart);
        dropTrailingSlashes(found);
    }
    return keepHome(found, launcher, home);
}

CandidateOrder orderCandidates(const std::vector<JvmCandidate>& gathered, const VersionRules& rules)
{
    struct Kept {
        const JvmCandidate* candidate;
        NumVersion version;
        bool known;
    };
    CandidateOrder order;
    std::vector<std::string> homes;
    std::vector<Kept> kept;
    for (const JvmCandidate& candidate : gathered) {
        std::string key = homeKey(candidate.home);
        if (std::find(homes.begin(), homes.end(), key) != homes.end()) {
            order.dropped.push_back({candidate, "same home as an earlier candidate"});
            continue;
        }
        homes.push_back(key);
        Kept entry{&candidate, {}, false};
        entry.known = candidate.versionKnown && parseNumVersion(candidate.version.c_str(), entry.version);
        if (entry.known && !acceptNumericVersion(rules, candidate.version.c_str())) {
            order.dropped.push_back({candidate, "version " + candidate.version + " is not accepted"});
            continue;
        }
        kept.push_back(entry);
    }
    std::stable_sort(kept.begin(), kept.end(), [](const Kept& a, const Kept& b) {
        if (a.known != b.known) return a.known;
        return a.known && compareNumVersions(a.version, b.version) > 0;
    });
    for (const Kept& entry : kept) order.tried.push_back(*entry.candidate);
    return order;
}
