// The candidates of the extended JVM search: which home folder a registry value, JAVA_HOME or a PATH
// folder names, which version a home's "release" file or a registry key name tells, and the order in
// which the homes are tried. Deciding only: the search reads the registry, the environment and the
// files, and checks that each launcher exists. Portable: no windows.h.
#pragma once

#include "jvm/jvmrequest.h"

#include <string>
#include <vector>

// The value of the JAVA_VERSION= line of a release file's text (its double quotes removed; CR LF
// tolerated). False when there is no such line, its value is empty, or longer than a version can be.
bool versionOfReleaseText(const char* text, std::string& version);

// The version a registry key name tells, from its first digit to its last: "zulu-17" tells 17. False
// when the name holds no digit or is longer than a version can be.
bool versionOfKeyName(const char* name, std::string& version);

// The home that a registry value or JAVA_HOME names: surrounding blanks and double quotes and trailing
// backslashes (or slashes) removed. False when nothing is left, a double quote remains inside, or the
// value or its launcher path is too long (launcherPathOf): a long value is refused, never cut.
bool homeOfValue(const char* value, const char* launcher, std::string& home);

// The home of a PATH folder that holds the launcher: the folder read as homeOfValue reads a value, then
// its parent when its last part is "bin" in any case, else the folder itself. False as homeOfValue.
bool homeOfPathFolder(const char* folder, const char* launcher, std::string& home);

// home\bin\launcher; false when it would not fit a path buffer.
bool launcherPathOf(const std::string& home, const char* launcher, std::string& path);

struct JvmCandidate {
    std::string source;       // for the trace: the registry key, "JAVA_HOME", "PATH" or the folder searched
    std::string hive;         // "HKLM" or "HKCU"; empty outside the registry
    std::string view;         // "64-bit" or "32-bit"; empty outside the registry
    std::string home;
    std::string version;      // read only when versionKnown
    bool versionKnown = false;
};

struct DroppedCandidate {
    JvmCandidate candidate;
    std::string reason;       // why, for the trace
};

struct CandidateOrder {
    std::vector<JvmCandidate> tried; // in the order the search tries them
    std::vector<DroppedCandidate> dropped;
};

// Keeps the first candidate of each home (full paths compared ignoring ASCII case and a trailing
// backslash), drops those whose known version the rules refuse, and orders the rest highest version
// first; unknown versions (or known ones without a number) come last, equal ones in gathering order.
CandidateOrder orderCandidates(const std::vector<JvmCandidate>& gathered, const VersionRules& rules);
