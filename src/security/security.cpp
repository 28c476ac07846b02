#include "security/security.h"

#include "security/securityrules.h"
#include "support/clib.h"
#include "support/fsys.h"
#include "support/registry.h"
#include "support/textbuf.h"
#include "support/textfile.h"
#include "support/winvers.h"

#include <direct.h>

#include <string>

namespace {
constexpr std::size_t bufferSize = valueSize;

// A path that fits the buffers of this class, or none.
bool fits(const std::string& path)
{
    return path.size() < bufferSize;
}
} // namespace

Security::Security() = default;

Security::~Security() = default;

bool Security::addSecurity(const char* systemSecurityPolicyFilename, const char* userSecurityPolicyFilename,
                           const char* keystoreFilename, const char* javaHomeDir, const char* homeDirectory,
                           bool backup)
{
    char source[bufferSize] = "", destination[bufferSize] = "";
    bool result = true;
    // A package that names a system policy wants it in place, like the user policy.
    for (const char* policy : {systemSecurityPolicyFilename, userSecurityPolicyFilename}) {
        source[0] = destination[0] = '\0';
        if (policy[0] && getFilenames(policy, javaHomeDir, homeDirectory, source, destination))
            result = copySecurityFile(source, destination, backup);
    }
    source[0] = destination[0] = '\0';
    if (keystoreFilename[0])
        result = addCertificate(keystoreFilename, javaHomeDir, homeDirectory, source, destination, backup);
    return result;
}

bool Security::getFilenames(const char* specification, const char* javaHomeDir, const char* homeDirectory, char* source,
                            char* destination)
{
    source[0] = destination[0] = '\0';
    SecuritySpec parsed = parseSecuritySpec(specification);
    // A specification without a token names no place of its own: it is refused.
    if (parsed.base == SecurityBase::none) return false;
    // The names come from a package: none of them gets to reach past the folder its token names.
    if (!staysInsideToken(parsed.afterToken)) {
        traceMessage(traceLog, "not copying a security file outside its folder:", specification);
        return false;
    }
    const char* base = parsed.base == SecurityBase::javaHome ? javaHomeDir : homeDirectory;
    if (!copyText(source, bufferSize, parsed.fileName.c_str())) return false;

    if (!parsed.hasSlash) {
        // The file goes straight into the home folder, as the package names it.
        std::string target = std::string(base) + "\\" + parsed.fileName;
        return fits(target) && copyText(destination, bufferSize, target.c_str());
    }
    if (!pathExists(source)) return false;
    char folder[bufferSize];
    if (!copyText(folder, sizeof folder, parsed.folderPart.c_str())) return false;
    if (!addDirectories(base, folder)) return false;
    std::string target = std::string(folder) + "\\" + parsed.fileName;
    return fits(target) && copyText(destination, bufferSize, target.c_str());
}

bool Security::addDirectories(const char* base, char* path)
{
    std::string folder = base;
    std::size_t start = 0;
    std::string parts = path;
    while (start <= parts.size()) {
        std::size_t slash = parts.find('/', start);
        if (slash == std::string::npos) slash = parts.size();
        std::string part = parts.substr(start, slash - start);
        start = slash + 1;
        if (part.empty()) continue;
        if (!folder.empty()) folder += "\\";
        folder += part;
        if (fits(folder)) _mkdir(folder.c_str());
    }
    if (!fits(folder) || !pathExists(folder.c_str())) {
        traceMessage(traceLog, "unable to create security directory", folder.c_str());
        return false;
    }
    copyText(path, bufferSize, folder.c_str());
    return true;
}

bool Security::copySecurityFile(const char* source, const char* destination, bool backup)
{
    if (!destination[0]) return false;
    if (backup && pathExists(source) && pathExists(destination)) backupFile(destination);
    if (!pathExists(destination)) return copyFile(source, destination);
    return true; // an existing destination is never overwritten
}

bool Security::backupFile(const char* path)
{
    std::string backupName = backupPath(path);
    if (!copyFile(path, backupName.c_str())) return false;
    std::string line = backupChangeLine(language, path);
    removeFile(path);
    logSystemChange(line.c_str());
    return true;
}

bool Security::addCertificate(const char* keystoreFilename, const char* javaHomeDir, const char* homeDirectory, char* source,
                              char* destination, bool backup)
{
    if (!getFilenames(keystoreFilename, javaHomeDir, homeDirectory, source, destination)) {
        if (source[0] && pathExists(source)) traceMessage(traceLog, "unable to get destination", keystoreFilename);
        return false;
    }
    char folder[pathSize];
    getCurrentDir(folder);
    std::string absolute = std::string(folder) + "\\" + source;
    if (!fits(absolute)) return false;
    copyText(source, bufferSize, absolute.c_str());

    char identity[bufferSize] = "";
    bool identityUsed = getIdentityIdFilename(javaHomeDir, identity);
    if (identityUsed) copyText(destination, bufferSize, identity);
    if (!copySecurityFile(source, destination, backup)) return false;
    if (identityUsed || !contains(keystoreFilename, "${user.home}")) return true;

    if (getAlternateDestination(keystoreFilename, homeDirectory, destination))
        return copySecurityFile(source, destination, backup);
    traceMessage(traceLog, "unable to find login name in registry");
    return false;
}

bool Security::getIdentityIdFilename(const char* javaHomeDir, char* identityFile)
{
    std::string file = std::string(javaHomeDir) + "\\lib\\security\\java.security";
    UniqueFile in(file.c_str(), "rb");
    if (!in) return false;
    TextReader reader(in.get());
    char line[2000];
    bool found = false;
    while (!found && reader.readPiece(line, sizeof line)) found = startsWith(line, "identity.database=");
    if (!found) return false;
    std::string path = identityDatabasePath(line);
    if (!copyText(identityFile, bufferSize, path.c_str())) return false;

    std::size_t slash = path.rfind('\\');
    if (slash != std::string::npos) {
        char folder[bufferSize];
        copyText(folder, sizeof folder, path.substr(0, slash).c_str());
        addDirectories("", folder);
    }
    return true;
}

bool Security::getAlternateDestination(const char* keystoreFilename, const char* homeDirectory, char* destination)
{
    WinVersion version;
    bool nt = version.winNT();
    std::string fileName;
    if (!keystoreInUserHome(keystoreFilename, fileName)) return false;

    char login[bufferSize] = "";
    if (nt) {
        const char* key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
        if (!readRegText(HKEY_LOCAL_MACHINE, key, "UserName", login, sizeof login))
            readRegText(HKEY_LOCAL_MACHINE, key, "DefaultUserName", login, sizeof login);
    } else {
        readRegText(HKEY_LOCAL_MACHINE, "Network\\Logon", "username", login, sizeof login);
    }
    if (!login[0]) {
        traceMessage(traceLog, "unable to find login name in registry");
        return false;
    }
    if (!formatText(destination, bufferSize, "%s%c%s", "profiles", '/', login)) return false;
    if (!addDirectories(homeDirectory, destination)) return false;
    std::string target = std::string(destination) + "\\" + fileName;
    return fits(target) && copyText(destination, bufferSize, target.c_str());
}
