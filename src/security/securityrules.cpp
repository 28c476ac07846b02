#include "security/securityrules.h"

#include "support/langtext.h"
#include "support/textbuf.h"

#include <cstring>

namespace {
const char* const javaHomeToken = "${java.home}";
const char* const userHomeToken = "${user.home}";

struct Words {
    const char* language;
    const char* first;
    const char* second;
};

const Words backupWords[] = {
    {"english", "Renamed", "to"},
    {"french", "Renomm" QIV_FFFD, "en"},
    {"german", "Alt:", "zu"},
    {"spanish", "Reagrupado ", "a"},
    {"polish", "Zmieniono", "na"},
    {"italian", "Rinominato", "a"},
    {"portuguese", "Nome modificado", "Para"},
    {"japanese", "Renamed", "to"},
    {"dutch", "Hernoemd", "naar"},
};
} // namespace

SecuritySpec parseSecuritySpec(const char* specification)
{
    SecuritySpec parsed;
    const char* token = std::strstr(specification, javaHomeToken);
    if (token) {
        parsed.base = SecurityBase::javaHome;
    } else if ((token = std::strstr(specification, userHomeToken))) {
        parsed.base = SecurityBase::userHome;
    }
    parsed.afterToken = token ? token + std::strlen(javaHomeToken) : specification;
    std::size_t slash = parsed.afterToken.rfind('/');
    parsed.hasSlash = slash != std::string::npos;
    parsed.folderPart = parsed.hasSlash ? parsed.afterToken.substr(0, slash) : "";
    parsed.fileName = parsed.hasSlash ? parsed.afterToken.substr(slash + 1) : parsed.afterToken;
    return parsed;
}

bool staysInsideToken(const std::string& afterToken)
{
    std::string name = afterToken.substr(afterToken.compare(0, 1, "/") == 0 ? 1 : 0);
    if (name.find_first_of("/\\") == 0 || name.find(':') != std::string::npos) return false;
    for (std::size_t start = 0, end; start <= name.size(); start = end + 1) {
        end = name.find_first_of("/\\", start);
        if (end == std::string::npos) end = name.size();
        std::string part = name.substr(start, end - start);
        if (!part.empty() && part != "." && part.find_first_not_of(". ") == std::string::npos) return false;
    }
    return true;
}

std::string backupPath(const std::string& path)
{
    std::size_t slash = path.rfind('\\');
    if (slash == std::string::npos) return path + ".001";
    std::size_t dot = path.rfind('.');
    std::string stem = dot != std::string::npos && dot > slash ? path.substr(0, dot) : path;
    return stem + ".001";
}

std::string backupChangeLine(const char* language, const std::string& path)
{
    const Words* words = &backupWords[0];
    for (const Words& entry : backupWords)
        if (std::strcmp(language, entry.language) == 0) words = &entry;
    return std::string(words->first) + " " + words->second + " " + path + " identitydb.001";
}

std::string identityDatabasePath(const char* line)
{
    const char* key = "identity.database=";
    if (!startsWith(line, key)) return "";
    std::string path = line + std::strlen(key);
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r' || path.back() == ' ')) path.pop_back();
    for (char& c : path)
        if (c == '/') c = '\\';
    std::string collapsed;
    for (char c : path)
        if (!(c == '\\' && !collapsed.empty() && collapsed.back() == '\\')) collapsed += c;
    return collapsed;
}

bool keystoreInUserHome(const char* specification, std::string& fileName)
{
    std::string parsed = specification;
    std::size_t slash = parsed.rfind('/');
    if (slash == std::string::npos) return false;
    fileName = parsed.substr(slash + 1);
    return equalsNoCase(parsed.substr(0, slash).c_str(), userHomeToken);
}
