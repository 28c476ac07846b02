// The security file rules: an entry ends with the part after its token, a backup stays in its file's folder, and
// an identity database entry reads as one clean Windows path.
#include "fuzz.h"
#include "security/securityrules.h"

FUZZ_TARGET(2)
{
    const std::string entry = lines[0].data(), path = lines[1].data();
    SecuritySpec parsed = parseSecuritySpec(lines[0].data());
    FUZZ_CHECK(entry.size() >= parsed.afterToken.size() &&
               entry.compare(entry.size() - parsed.afterToken.size(), std::string::npos, parsed.afterToken) == 0);

    // A backup keeps the folder and name of its file; only an extension of the last part goes.
    std::string backup = backupPath(path), stem = backup.substr(0, backup.size() - 4);
    FUZZ_CHECK(backup.size() >= 4 && backup.compare(backup.size() - 4, 4, ".001") == 0 &&
               path.compare(0, stem.size(), stem) == 0 && path.find('\\', stem.size()) == std::string::npos);

    std::string database = identityDatabasePath(lines[0].data()), value;
    if (entry.rfind("identity.database=", 0) == 0) value = entry.substr(18, entry.find_last_not_of(" \r\n") - 17);
    auto letters = [](std::string text) {
        text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == '/' || c == '\\'; }), text.end());
        return text;
    };
    FUZZ_CHECK(database.find('/') == std::string::npos && database.find("\\\\") == std::string::npos &&
               letters(database) == letters(value) && (value.empty() || !database.empty()));
}
