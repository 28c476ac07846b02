// The format of the control file "qiv.control" and the rules that turn its text into the values of
// an installation. Portable: no windows.h, so the rules are tested and fuzzed natively.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>

#include "support/limits.h"

// The control file's values, one field per key and named after it; each field's size is the limit
// of its value. Every worker reads its values from here, so a new key is one new field.
struct ControlValues {
    char jvmRequiredVersion[versionSize] = "";
    char jvmMinVersion[versionSize] = "";
    char jvmMaxVersion[versionSize] = "";
    char jvmVersion[versionSize] = "";
    char jvmName[versionSize] = "";
    char jvmCommandName[pathSize] = "";
    char jvmSelfExtractor[valueSize] = "";
    char predefinedJvmInstallDir[valueSize] = "";
    char jvmHomeDir[pathSize] = "";
    char jvmExtraParameters[valueSize] = "";
    char jvmClasspathSwitch[messageSize] = "";
    char loaderClasspath[valueSize] = "";
    char loaderJavaCommand[valueSize] = "";
    char systemSecurityPolicyFilename[pathSize] = "";
    char userSecurityPolicyFilename[pathSize] = "";
    char keystoreFilename[pathSize] = "";
    char appletUrl[valueSize] = "";
    char startGuiCommand[messageSize] = "";
    char checkGuiRunningCommand[messageSize] = "";
    char searchForJvm[searchSwitchSize] = "";
    char extendedJvmSearch[yesNoSwitchSize] = "";

    // The file the values were read from ("qiv.control").
    char controlFileName[pathSize] = "";
};

constexpr int controlKeyCount = 21;

// The launcher-name work text is as large as the launcher name's field.
constexpr std::size_t launcherNameSize = sizeof(ControlValues::jvmCommandName);

struct ControlKey {
    const char* name;
    std::size_t size;                 // the field's size in bytes, NUL included: the limit of the value
    char* (*field)(ControlValues&);   // the field that receives the value
};

// The keys in the order in which a line is tested against them.
const ControlKey* controlKeys();

// The first key, in table order, that line begins with (case-sensitive, at its first character).
const ControlKey* matchControlKey(const char* line);

// The value of a line that begins with key: everything after the key and one separator character,
// whatever that character is; empty when the line ends at or before the separator.
const char* controlValue(const char* line, const char* key);

// A two-text trace line: the program writes it as "first second".
using TraceLine = std::function<void(const char* first, const char* second)>;

struct ControlParseEvents {
    TraceLine trace;
    // A value that does not fit its buffer: the line is refused, the key keeps its earlier value.
    std::function<void(const ControlKey& key, std::size_t length)> valueTooLong;
};

// Empties every key's value; controlFileName stays.
void clearKeyValues(ControlValues& values);

// Reads the control text from a stream opened in binary mode (CR LF and 0x1A read as in Windows text
// mode) into the key fields of values. Every key's value is set to empty first; for each line the
// last one wins. "jvmExtraParameters" is cleaned of extra backslashes and "predefinedJvmInstallDir"
// has its separators normalised, right after each copy.
void parseControlText(std::FILE* in, ControlValues& values, const ControlParseEvents& events);

// Copies a text stream (binary) to out (binary) with every line ended by lineEnd: a CR LF pair or a
// lone LF is one line end, a lone CR is dropped, every other byte (0x1A included) is kept. False when
// reading or writing failed.
bool convertLineEndingsText(std::FILE* in, std::FILE* out, const char* lineEnd);

// False for the nine characters \ / : * ? " < > | that a file name cannot hold; true for all others,
// NUL included.
bool isFilenameChar(char c);

// Removes, from the end towards the start, every backslash that stands before a character that a
// file name cannot hold: a run of backslashes before such a character vanishes, a run before any
// other character shrinks to one. Traces each step.
void removeExtraBackSlashes(char* switches, const TraceLine& trace);

// One left-to-right pass: "/" becomes "\", a backslash before ":" or another backslash is deleted
// and the character that takes its place is passed over.
void normaliseSeparators(char* dir);

// Fills the defaults and turns the launcher name into its lower-case program file name; when
// keepConsoleLauncher is false, "jre.exe..." becomes "jrew.exe" and "java.exe..." becomes "javaw.exe".
void verifyControlValues(ControlValues& values, bool keepConsoleLauncher);

// The trace line that states the accepted versions, into line (size bytes).
void validVersionsLine(char* line, std::size_t size, const ControlValues& values);
