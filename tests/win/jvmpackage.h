// A package folder for the JVM installation tests: the archive stand-in, fake JVM files for it to lay
// down, the machine's JavaSoft keys owned by the test, and the bench's drive Q: for folders at a root.
#pragma once

#include "jvm/installjvm.h"
#include "regscope.h"
#include "testfiles.h"

#include <initializer_list>
#include <string>
#include <vector>

using Lines = std::vector<std::string>;

// The script lines that make the archive stand-in lay down a JVM reporting version: its launcher (a
// copy of the fake JVM), its settings and, when hotspot is set, bin\hotspot\jvm.dll.
Lines jvmFiles(const std::string& folder, const std::string& version, const char* launcher = "bin\\javaw.exe",
               bool hotspot = true);

// Everything on drive Q: is removed when the test ends.
struct QDrive {
    QDrive();
    ~QDrive();
};

struct JvmPackage : TestFolder {
    ScopedUserLocale locale{"English_United States.1252"};
    ScopedRegKey javaSoft{HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft"};
    QDrive drive;
    std::string windowsDir; // the Windows directory handed to the installation: a folder of the test

    JvmPackage();

    // Puts the archive stand-in "jre-archive.exe" (with the fake JVM beside it) into the package, with
    // its script.
    void archive(const Lines& script);
    Lines archiveCalls() const;
    // Writes the control file.
    void control(const std::string& text);

    struct Result {
        bool ok;
        std::string jvmPath, jvmCommandName, predefinedJvmInstallDir, jvmHomeDir;
        bool jvmInstalled, foundExistingJvm;
    };
    Result installJvm(const char* required, const char* version, const char* predefined = "", const char* homeDir = "",
                      const char* name = "JRE", const char* command = "javaw.exe",
                      const char* extractor = "jre-archive.exe");

    static bool traced(const std::string& line);
    static Lines trace() { return readLogLines("jinstall.log"); }
};

// A registry value under HKEY_LOCAL_MACHINE as text; empty when missing.
std::string machineValue(const std::string& key, const char* name);
bool machineKeyExists(const std::string& key);
