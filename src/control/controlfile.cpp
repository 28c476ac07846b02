#include "control/controlfile.h"

#include "support/textbuf.h"
#include "support/textfile.h"

#include <cstring>
#include <string>

namespace {

// One key: its name, the size of the field it fills, and that field. The name is the field's name.
#define QIV_CONTROL_KEY(field) \
    {#field, sizeof(ControlValues::field), [](ControlValues& values) -> char* { return values.field; }}

// The order in which a line is tested: a key that begins with another key's name must come first.
const ControlKey keys[controlKeyCount] = {
    QIV_CONTROL_KEY(jvmRequiredVersion),
    QIV_CONTROL_KEY(jvmMinVersion),
    QIV_CONTROL_KEY(jvmMaxVersion),
    QIV_CONTROL_KEY(jvmVersion),
    QIV_CONTROL_KEY(jvmName),
    QIV_CONTROL_KEY(jvmCommandName),
    QIV_CONTROL_KEY(jvmExtraParameters),
    QIV_CONTROL_KEY(jvmClasspathSwitch),
    QIV_CONTROL_KEY(loaderJavaCommand),
    QIV_CONTROL_KEY(loaderClasspath),
    QIV_CONTROL_KEY(jvmSelfExtractor),
    QIV_CONTROL_KEY(predefinedJvmInstallDir),
    QIV_CONTROL_KEY(jvmHomeDir),
    QIV_CONTROL_KEY(systemSecurityPolicyFilename),
    QIV_CONTROL_KEY(userSecurityPolicyFilename),
    QIV_CONTROL_KEY(keystoreFilename),
    QIV_CONTROL_KEY(appletUrl),
    QIV_CONTROL_KEY(startGuiCommand),
    QIV_CONTROL_KEY(checkGuiRunningCommand),
    QIV_CONTROL_KEY(searchForJvm),
    QIV_CONTROL_KEY(extendedJvmSearch),
};

#undef QIV_CONTROL_KEY

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

void clearKeyValues(ControlValues& values)
{
    for (const ControlKey& key : keys) key.field(values)[0] = '\0';
}

void parseControlText(std::FILE* in, ControlValues& values, const ControlParseEvents& events)
{
    clearKeyValues(values);

    TextReader reader(in);
    char piece[pieceSize];
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
        char* out = key->field(values);
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

void verifyControlValues(ControlValues& values, bool keepConsoleLauncher)
{
    if (!values.loaderClasspath[0]) copyText(values.loaderClasspath, sizeof values.loaderClasspath, ".;install.jar");
    if (!values.jvmRequiredVersion[0] && !values.jvmMinVersion[0]) {
        copyText(values.jvmRequiredVersion, versionSize, values.jvmVersion);
        if (!values.jvmRequiredVersion[0]) copyText(values.jvmRequiredVersion, versionSize, "1.1.8");
    }
    if (!values.jvmVersion[0]) copyText(values.jvmVersion, versionSize, values.jvmRequiredVersion);
    if (!values.jvmName[0]) copyText(values.jvmName, versionSize, "JRE");
    char* jvmCommandName = values.jvmCommandName;
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

void validVersionsLine(char* line, std::size_t size, const ControlValues& values)
{
    if (values.jvmRequiredVersion[0])
        formatText(line, size, "Valid version of %s: %s", values.jvmCommandName, values.jvmRequiredVersion);
    else
        formatText(line, size, "Valid versions of %s: %s through %s", values.jvmCommandName, values.jvmMinVersion,
                   values.jvmMaxVersion);
}
