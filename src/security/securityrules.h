// The rules of the Java security files that turn text into decisions: how a path specification
// resolves, what a backup is called and what the change log says, and what the JVM's identity
// database entry names. Portable: no windows.h.
#pragma once

#include <string>

enum class SecurityBase { javaHome, userHome, none };

struct SecuritySpec {
    SecurityBase base = SecurityBase::none;
    std::string afterToken;   // the text after the token ("${java.home}" is looked for first)
    bool hasSlash = false;    // afterToken holds a "/"
    std::string folderPart;   // afterToken up to its last "/" (folders separated by "/")
    std::string fileName;     // the text after the last "/" (all of afterToken without one)
};

// Splits a specification such as "${java.home}/lib/security/java.policy" into its parts.
SecuritySpec parseSecuritySpec(const char* specification);

// True when the text after a token stays inside the folder the token names: past the one "/" that
// follows the token it begins with no separator, holds no drive or stream colon, and has no part made
// only of dots and blanks other than "." (".." and the forms Windows reads as it).
bool staysInsideToken(const std::string& afterToken);

// The backup of path: its last part without its extension, then ".001". A path without a backslash
// keeps its extension.
std::string backupPath(const std::string& path);

// The line "changes.txt" gets for a replaced file: two words of the language, the path, and
// "identitydb.001".
std::string backupChangeLine(const char* language, const std::string& path);

// The path of an "identity.database=" line: trailing line ends and blanks removed, "/" turned into a
// backslash, and every run of backslashes shrunk to one. Empty when the line is no such entry.
std::string identityDatabasePath(const char* line);

// True when the keystore specification lies directly in "${user.home}" (any case): only such a
// keystore is copied into the user's profile folder as well.
bool keystoreInUserHome(const char* specification, std::string& fileName);
