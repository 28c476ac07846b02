// The rules of the JVM installation that turn text into decisions: the installer's file name, the
// folder variables of the predefined folder, the folder names of the Programs-folder scheme, the
// JVM home for the registry, launcher partners and runtime libraries. Portable: no windows.h.
#pragma once

#include <string>
#include <vector>


// The archive's or installer's file name in jvmSelfExtractor: the text after its last "/", or all of
// it. A backslash is no separator here.
std::string installerFileName(const char* jvmSelfExtractor);

// The folder variables of "predefinedJvmInstallDir", in the order they are tested.
enum class InstallVariable { programFiles, windows, application, none };
const char* installVariableText(InstallVariable variable);
// The first of the three variables that predefined contains; none when it contains no "[$" at all
// or none of the three.
InstallVariable findInstallVariable(const char* predefined);
bool hasVariableMarker(const char* predefined);

enum class VariableDir { notFollowedByFolder, bare, valid };
// predefined with variable replaced by value: valid only when the variable is followed by a backslash
// and at least one more character; the text in front of the variable is dropped.
VariableDir expandVariableDir(const char* variable, const char* value, const char* predefined, std::string& dir);

// "C:" for "C:\Program Files": the text up to and including the first colon, or empty.
std::string driveOf(const std::string& folder);

// A JVM name of the Programs-folder scheme's own family folders: begins with "JRE", "JDK" or
// "Java Plug-in" (case-sensitive).
bool isKnownJvmName(const char* jvmName);

// The JVM home written to the registry: the folder in lower case, without a trailing "\bin" folder.
// Only a folder named bin is cut: C:\jdk\bin gives c:\jdk, C:\Apps\binaries\jre stays as it is.
std::string registryJvmHome(const char* dir);

// The other launcher of a pair: jre.exe and jrew.exe for the 1.1 family, java.exe and javaw.exe after.
std::string launcherPartner(const char* family, const char* launcher);

// A version that the registry treats as 1.2 or higher, by case-insensitive text comparison.
bool isJava2Version(const char* version);

// The runtime library files a home may hold, in the order they are looked for.
std::vector<std::string> runtimeLibraryCandidates(const std::string& home);

// The JVM folder after the package's "jvmHomeDir": "./x" is appended to installDir (without its
// "."), anything else replaces it; then every "/" becomes a backslash.
std::string applyJvmHomeDir(const std::string& installDir, const char* jvmHomeDir);

// folder joined with name as addDirectory joins them: name alone under an empty folder, no second
// backslash after one that ends the folder.
std::string joinFolder(const std::string& folder, const std::string& name);

// The folders that createPredeterminedJvmDirectory walks: every part of dir in front of a backslash,
// from the left (empty parts left out), then dir itself.
std::vector<std::string> folderChain(const std::string& dir);
