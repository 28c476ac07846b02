// The format of the control file "qiv.control" and the rules that turn its text into the twenty
// values of an installation. Portable: no windows.h, so the rules are tested and fuzzed natively.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>

constexpr int controlKeyCount = 20;

// Lines are read in pieces of at most 998 bytes, the line feed included (an fgets of 999 bytes); the
// tail of a longer line is handled as a line of its own.
constexpr std::size_t controlPieceSize = 999;

// The largest launcher-name work text: the launcher name buffer is 5001 bytes.
constexpr std::size_t launcherNameSize = 5001;

struct ControlKey {
    const char* name;
    int position;     // 1 to 20: the output buffer that receives the value
    std::size_t size; // that buffer's size in bytes, NUL included: the limit of the value
};

// The twenty keys in the order in which a line is tested against them.
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

// Reads the control text from a stream opened in binary mode (CR LF and 0x1A read as in Windows text
// mode). values[i] is the buffer of the key at position i + 1, of that key's size. Every value is set
// to empty first; for each line the last one wins. "jvmExtraParameters" is cleaned of extra
// backslashes and "predefinedJvmInstallDir" has its separators normalised, right after each copy.
void parseControlText(std::FILE* in, char* const values[controlKeyCount], const ControlParseEvents& events);

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
// Buffer sizes: versions and name 201, jvmCommandName 5001, loaderClasspath 5000.
void verifyControlValues(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmVersion, char* jvmName,
                         char* jvmCommandName, char* loaderClasspath, bool keepConsoleLauncher);

// The trace line that states the accepted versions, in a 1000-byte buffer.
void validVersionsLine(char* line, std::size_t size, const char* jvmCommandName, const char* jvmRequiredVersion,
                       const char* jvmMinVersion, const char* jvmMaxVersion);
