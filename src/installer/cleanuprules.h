// The rules of the cleanup that turn text into decisions: which files the package manifest names,
// how the wizard's "native.properties" reads back, and which folders the cleanup may remove.
// Portable: no windows.h.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The file a manifest line names: the text after "Name: " (case-sensitive, one blank) without
// trailing blanks, CRs and LFs; empty for any other line.
std::string manifestName(const char* line);

// True for a name that stays inside the package folder: relative, without a drive, and without a
// ".." folder. The manifest is a file in a folder anybody may have written to; it does not get to
// delete files elsewhere.
bool staysInsideFolder(const std::string& name);

// A line of "native.properties" as the wizard may have written it, with Java's properties escapes
// read ("\\" a backslash, "\:" a colon, "\t" a tab and so on; a backslash before any other character
// is dropped) and every "/" turned into a backslash. "D\:/Temp/jre" reads as "D:\Temp\jre".
std::string unescapePropertiesLine(const std::string& line);

// The value of key in an unescaped line that begins with key and "="; false for other lines.
bool propertyValue(const std::string& line, const char* key, std::string& value);

// What the cleanup reads back from "native.properties" after the wizard: where the JVM lies now,
// whether this run installed it into the package folder, the temporary folder the wizard moved it
// from, and whether it is to be registered.
struct JvmLocationRecord {
    std::string location;          // "nativeJvmHomeDir"
    std::string inTemp;            // "nativeJvmInstalledInTemp"
    std::string tempDir;           // "nativeTempJvmDir"
    bool configureRegistry = true; // "configureWinRegistry": "true" or "yes" in any case; yes when absent
    // A trace line for every line that set one of these, in the file's order.
    std::vector<std::string> trace;
};

// Reads the record from a stream opened in binary mode: lines of at most 998 bytes, each unescaped as
// above; for each key the last line wins.
JvmLocationRecord readJvmLocation(std::FILE* in);

// Reads path as Windows does: "/" is a backslash, empty and "." parts go, ".." takes the part before it
// away, and no separator ends it. False when a ".." climbs above the path's start or drive, or a part is
// made only of dots and blanks (other than "." and ".."): Windows versions read such parts differently.
bool normalisePath(const std::string& path, std::string& normal);

// True when path names a folder strictly inside folder, both read by normalisePath and compared
// ignoring case: the only folders a temporary JVM may be removed from. The folder itself is not inside.
bool isFolderInside(const std::string& path, const std::string& folder);

// True when a name, however spelt, is one of this run's own files in the package folder: the markers,
// the control file, the programs, the hand-over files and every log. A manifest does not get to delete
// them while the run still needs them.
bool isRunFile(const std::string& name);
