// The security file rules: a security file entry splits into parts that give it back whole, a backup
// stays in its file's folder, and an identity database entry reads as one clean Windows path.
#include "fuzz.h"
#include "security/securityrules.h"

namespace {
std::string withoutSeparators(std::string text)
{
    text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == '/' || c == '\\'; }), text.end());
    return text;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<CText> lines = fuzzLines(data, size, 2);
    const std::string entry = lines[0].data(), path = lines[1].data();

    SecuritySpec parsed = parseSecuritySpec(lines[0].data());
    const char* token = parsed.base == SecurityBase::javaHome ? "${java.home}"
                        : parsed.base == SecurityBase::userHome ? "${user.home}" : "";
    std::size_t at = *token ? entry.find(token) : 0;
    FUZZ_CHECK(at != std::string::npos &&
               entry.compare(at + std::strlen(token), std::string::npos, parsed.afterToken) == 0);
    bool java = entry.find("${java.home}") != std::string::npos, user = entry.find("${user.home}") != std::string::npos;
    FUZZ_CHECK((parsed.base == SecurityBase::javaHome) == java &&
               (parsed.base == SecurityBase::none) == !(java || user));
    FUZZ_CHECK(parsed.fileName.find('/') == std::string::npos &&
               (parsed.hasSlash ? parsed.folderPart + "/" + parsed.fileName : parsed.fileName) == parsed.afterToken);

    // A backup keeps the folder and name of its file; only an extension of the last part goes.
    std::string backup = backupPath(path), stem = backup.substr(0, backup.size() - 4);
    FUZZ_CHECK(backup.size() >= 4 && backup.compare(backup.size() - 4, 4, ".001") == 0 &&
               path.compare(0, stem.size(), stem) == 0);
    FUZZ_CHECK(path.find('\\', stem.size()) == std::string::npos);
    FUZZ_CHECK(backupChangeLine(lines[1].data(), path).find(" " + path + " identitydb.001") != std::string::npos);

    std::string database = identityDatabasePath(lines[0].data());
    if (entry.rfind("identity.database=", 0) == 0) {
        std::string value = entry.substr(18);
        value.erase(value.find_last_not_of(" \r\n") + 1);
        FUZZ_CHECK(database.find('/') == std::string::npos && database.find("\\\\") == std::string::npos &&
                   withoutSeparators(database) == withoutSeparators(value));
    } else {
        FUZZ_CHECK(database.empty());
    }

    std::string fileName;
    if (keystoreInUserHome(lines[0].data(), fileName))
        FUZZ_CHECK(entry.size() == 13 + fileName.size() && fileName.find('/') == std::string::npos &&
                   entry.compare(12, std::string::npos, "/" + fileName) == 0);
    return 0;
}
