// A package folder for the JVM installation tests: the archive stand-in, the machine's JavaSoft keys
// owned by the test, and the bench's drive Q: (emptied afterwards) for folders at a root.
#pragma once

#include "jvm/installjvm.h"
#include "regscope.h"
#include "testfiles.h"

#include <string>
#include <vector>

using Lines = std::vector<std::string>;

// The archive stand-in's script lines that lay down, in folder, a JVM reporting version: its launcher
// bin\javaw.exe (a copy of the fake JVM), its settings and bin\hotspot\jvm.dll.
Lines jvmFiles(const std::string& folder, const std::string& version);

struct JvmPackage : TestFolder {
    ScopedUserLocale locale{"English_United States.1252"};
    ScopedRegKey javaSoft{HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft"};
    std::string windowsDir = native() + "\\windir"; // the Windows directory handed to the installation

    JvmPackage();
    ~JvmPackage();
    // Puts the archive stand-in "jre-archive.exe" (with the fake JVM beside it) into the package.
    void archive(const Lines& script);
    Lines archiveCalls() const { return readPlainLines(path() / "fakeinstaller-calls.txt"); }

    struct Result {
        bool ok;
        std::string jvmPath, predefinedJvmInstallDir, jvmHomeDir;
        bool jvmInstalled, foundExistingJvm;
    };
    // Installs the archive's JVM of version; the family of version is the required one.
    Result installJvm(const char* version, const char* predefined = "", const char* homeDir = "",
                      const char* name = "JRE");
};

// A registry value under HKEY_LOCAL_MACHINE as text; empty when missing.
std::string machineValue(const std::string& key, const char* name);
