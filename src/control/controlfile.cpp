#include "control/controlfile.h"

#include "support/textbuf.h"
#include "support/textfile.h"

#include <cstring>
#include <string>

namespace {

const ControlKey keys[controlKeyCount] = {
    {"jvmRequiredVersion", 1, 201},
    {"jvmMinVersion", 2, 201},
    {"jvmMaxVersion", 3, 201},
    {"jvmVersion", 4, 201},
    {"jvmName", 5, 201},
    {"jvmCommandName", 6, 5001},
    {"jvmExtraParameters", 10, 5000},
    {"jvmClasspathSwitch", 11, 1000},
    {"loaderJavaCommand", 13, 5000},
    {"loaderClasspath", 12, 5000},
    {"jvmSelfExtractor", 7, 5000},
    {"predefinedJvmInstallDir", 8, 5000},
    {"jvmHomeDir", 9, 5001},
    {"systemSecurityPolicyFilename", 14, 5001},
    {"userSecurityPolicyFilename", 15, 5001},
    {"keystoreFilename", 16, 5001},
    {"appletUrl", 17, 5000},
    {"startGuiCommand", 18, 1000},
    {"checkGuiRunningCommand", 19, 1000},
    {"searchForJvm", 20, 100},
};

void deleteAt(char* text, std::size_t index)
{
    std::memmove(text + index, text + index + 1, std::strlen(text + index + 1) + 1);
}

} // namespace

const ControlKey* controlKeys()
{
    return keys;
}

const ControlKey* matchControlKey(const char* line)
{
    for (const ControlKey& key : keys)
        if (startsWith(line, key.name)) return &key;
    return nullptr;
}

const char* controlValue(const char* line, const char* key)
{
    const char* separator = line + std::strlen(key);
    return *separator ? separator + 1 : separator;
}

void parseControlText(std::FILE* in, char* const values[controlKeyCount], const ControlParseEvents& events)
{
    for (int i = 0; i < controlKeyCount; ++i) values[i][0] = '\0';

    TextReader reader(in);
    char piece[controlPieceSize];
    while (reader.readPiece(piece, sizeof piece)) {
        cutAtLineFeed(piece);
        const ControlKey* key = matchControlKey(piece);
        if (!key) continue;
        const char* value = controlValue(piece, key->name);
        std::size_t length = std::strlen(value);
        if (length >= key->size) {
            if (events.valueTooLong) events.valueTooLong(*key, length);
            continue;
        }
        char* out = values[key->position - 1];
        copyText(out, key->size, value);
        if (out[0] == '\0') continue;
        if (std::strcmp(key->name, "jvmExtraParameters") == 0)
            removeExtraBackSlashes(out, events.trace);
        else if (std::strcmp(key->name, "predefinedJvmInstallDir") == 0)
            normaliseSeparators(out);
    }
}

bool convertLineEndingsText(std::FILE* in, std::FILE* out, const char* lineEnd)
{
    unsigned char chunk[8192];
    std::string converted;
    for (;;) {
        std::size_t n = std::fread(chunk, 1, sizeof chunk, in);
        if (n == 0) break;
        converted.clear();
        for (std::size_t i = 0; i < n; ++i) {
            unsigned char c = chunk[i];
            if (c == '\r') continue; // a CR counts only as part of a CR LF pair, which ends in the LF
            if (c == '\n')
                converted += lineEnd;
            else
                converted += static_cast<char>(c);
        }
        if (std::fwrite(converted.data(), 1, converted.size(), out) != converted.size()) return false;
    }
    return !std::ferror(in) && std::fflush(out) == 0 && !std::ferror(out);
}

bool isFilenameChar(char c)
{
    return std::strchr("\\/:*?\"<>|", c) == nullptr || c == '\0';
}

void removeExtraBackSlashes(char* switches, const TraceLine& trace)
{
    auto traceLine = [&](const char* first) {
        if (trace) trace(first, switches);
    };
    traceLine("initial jvm switches for installer");
    char right = '\0';
    for (std::size_t i = std::strlen(switches); i-- > 0;) {
        if (switches[i] == '\\' && !isFilenameChar(right)) {
            traceLine("  before extra back slash removed");
            deleteAt(switches, i);
            traceLine("  after extra back slash removed");
            right = switches[i];
        } else {
            right = switches[i];
        }
    }
    traceLine("final jvm switches for installer");
}

void normaliseSeparators(char* dir)
{
    std::size_t i = 0;
    while (dir[i]) {
        if (dir[i] == '/') {
            dir[i] = '\\';
            ++i;
        } else if (dir[i] == '\\' && (dir[i + 1] == ':' || dir[i + 1] == '\\')) {
            deleteAt(dir, i);
            ++i; // the character that moved into place is not examined
        } else {
            ++i;
        }
    }
}

void verifyControlValues(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmVersion, char* jvmName,
                         char* jvmCommandName, char* loaderClasspath, bool keepConsoleLauncher)
{
    constexpr std::size_t versionSize = 201;
    if (!loaderClasspath[0]) copyText(loaderClasspath, 5000, ".;install.jar");
    if (!jvmRequiredVersion[0] && !jvmMinVersion[0]) {
        copyText(jvmRequiredVersion, versionSize, jvmVersion);
        if (!jvmRequiredVersion[0]) copyText(jvmRequiredVersion, versionSize, "1.1.8");
    }
    if (!jvmVersion[0]) copyText(jvmVersion, versionSize, jvmRequiredVersion);
    if (!jvmName[0]) copyText(jvmName, versionSize, "JRE");
    if (!jvmCommandName[0]) copyText(jvmCommandName, launcherNameSize, "jre.exe");

    char work[launcherNameSize];
    copyText(work, sizeof work, jvmCommandName);
    lowerAscii(work);
    if (!contains(work, ".exe") && !contains(work, ".bat") && !contains(work, ".com")) {
        if (char* dot = std::strchr(work, '.')) *dot = '\0';
        if (!appendText(work, sizeof work, ".exe")) {
            // No room for the extension: keep the name as it was given rather than a cut one.
            copyText(work, sizeof work, jvmCommandName);
            lowerAscii(work);
        }
    }
    if (!keepConsoleLauncher) {
        if (startsWith(work, "jre.exe"))
            copyText(work, sizeof work, "jrew.exe");
        else if (startsWith(work, "java.exe"))
            copyText(work, sizeof work, "javaw.exe");
    }
    copyText(jvmCommandName, launcherNameSize, work);
}

void validVersionsLine(char* line, std::size_t size, const char* jvmCommandName, const char* jvmRequiredVersion,
                       const char* jvmMinVersion, const char* jvmMaxVersion)
{
    if (jvmRequiredVersion[0])
        formatText(line, size, "Valid version of %s: %s", jvmCommandName, jvmRequiredVersion);
    else
        formatText(line, size, "Valid versions of %s: %s through %s", jvmCommandName, jvmMinVersion,
                   jvmMaxVersion);
}
