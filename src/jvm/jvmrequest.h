// What the JVM search and the JVM installation work from, and what a run keeps of the JVM it uses.
// Portable: no windows.h.
#pragma once

#include "control/controlfile.h"

// A package's version rules: a required version, or a minimum and (when not empty) a maximum.
struct VersionRules {
    const char* required;
    const char* min;
    const char* max;
};

// The package's JVM as the control file describes it. The texts are the control record's own fields:
// the search and the installation leave the launcher name they accepted in commandName (a field of
// launcherNameSize bytes), and the JVM's own installer empties predefinedInstallDir and homeDir, since
// the steps after them read these fields back.
struct JvmRequest {
    VersionRules rules;
    const char* version;
    const char* name;
    char* commandName;
    const char* selfExtractor;
    char* predefinedInstallDir;
    char* homeDir;
};

VersionRules versionRulesOf(const ControlValues& values);
JvmRequest jvmRequestOf(ControlValues& values);

// The JVM a run found or installed.
struct FoundJvm {
    char launcherPath[pathSize] = ""; // the launcher that runs the wizard
    bool installedHere = false;       // it came from the package's JVM, not from the search
};

// The outcome of a folder choice for the package's JVM: the folder could be made, and it already holds
// an acceptable JVM.
struct DirChoice {
    bool ok;
    bool found;
};
