// Package folders for the installation and JVM search tests: a fresh folder of the test's own, English boxes and the
// machine's JavaSoft keys owned by the test (no JVM on the machine), with the archive stand-in at hand.
#pragma once

#include "installer/installer.h"
#include "jvm/findjvm.h"
#include "jvm/installjvm.h"
#include "support/markers.h"
#include "support/registry.h"
#include "fakejvm.h"
#include "msgbox.h"
#include "programrun.h"
#include "regscope.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// The archive stand-in's script lines that lay down, in folder, a JVM reporting version: its launcher
// bin\javaw.exe (a copy of the fake JVM), its settings and bin\hotspot\jvm.dll.
inline Lines jvmFiles(const std::string& folder, const std::string& version)
{
    std::string at = folder.empty() ? "" : folder + "\\";
    return {"copy fakejvm.bin " + at + "bin\\javaw.exe", "write " + at + "fakejvm.txt result=java.version=" + version,
            "write " + at + "bin\\hotspot\\jvm.dll x"};
}

struct Package : TestFolder {
    ScopedUserLocale locale{"English_United States.1252"};
    ScopedRegKey javaSoft{HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft"};
    using TestFolder::TestFolder;

    // Puts the archive stand-in "jre-archive.exe" (with the fake JVM beside it) into the package.
    void archive(const Lines& script)
    {
        const auto over = fs::copy_options::overwrite_existing;
        fs::copy_file(programFromEnvironment("QIV_FAKEINSTALLER"), "jre-archive.exe", over);
        fs::copy_file(programFromEnvironment("QIV_FAKEJVM"), "fakejvm.bin", over);
        std::string text;
        for (const std::string& line : script) text += line + "\n";
        writeFile("fakeinstaller.txt", text);
    }
};

// One run of the installation sequence in the test process: the status-window marker in place, every box caught.
struct InstallRun : Package {
    std::unique_ptr<Install> installation = std::make_unique<Install>();
    std::vector<CaughtBox> boxes;

    // innerName: the package folder gets that name, inside a fresh folder of the test's own.
    explicit InstallRun(const std::string& innerName = "") : Package(innerName)
    {
        setMarkerPaths(native().c_str());
        writeFile("__qivshow.sem", "ok\n");
    }
    ~InstallRun() { setMarkerPaths(""); }

    bool run(bool quiet = false, bool silent = false, std::string wizardArgument = "")
    {
        MessageBoxCatcher catcher;
        bool ok = installation->install(quiet, silent, wizardArgument.data());
        for (const CaughtBox& box : catcher.boxes()) boxes.push_back(box);
        return ok;
    }
};

// A variable set for the test (absent for null), put back from the runtime's copy, which stays as it was.
struct ScopedEnv {
    std::string name;
    ScopedEnv(const char* n, const char* value) : name(n) { SetEnvironmentVariableA(n, value); }
    ~ScopedEnv() { SetEnvironmentVariableA(name.c_str(), std::getenv(name.c_str())); }
};

// The trace log jinstall.log holds line.
inline bool traced(const std::string& line)
{
    Lines trace = readLogLines("jinstall.log");
    return std::find(trace.begin(), trace.end(), line) != trace.end();
}

// The JVM installation alone, with a trace log and the bench's drive Q: (emptied afterwards) for folders
// at a root. innerName: a package folder of that name.
struct JvmPackage : Package {
    std::string windowsDir = native() + "\\windir"; // the Windows directory handed to the installation
    std::string jvmPath;                              // the launcher the last installation gave

    explicit JvmPackage(const std::string& innerName = "") : Package(innerName)
    {
        EXPECT_TRUE(fileExists("Q:\\")) << "the bench has no drive Q:";
        for (const char* file : {"jinstall.log", "jinstall.sem", "TestJvm.class"}) writeFile(file, "");
        fs::create_directories("windir\\system");
    }
    ~JvmPackage()
    {
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator("Q:\\", ignored)) fs::remove_all(entry.path(), ignored);
    }
    Lines archiveCalls() const { return readPlainLines(path() / "fakeinstaller-calls.txt"); }

    // Installs the archive's JVM of version; the family of version is the required one.
    bool installJvm(const std::string& version, const std::string& predefined = "", const char* homeDir = "")
    {
        auto values = std::make_unique<ControlValues>();
        std::strcpy(values->jvmRequiredVersion, version.substr(0, version.find('.', 2)).c_str());
        std::strcpy(values->jvmVersion, version.c_str());
        std::strcpy(values->jvmName, "JRE");
        std::strcpy(values->jvmCommandName, "javaw.exe");
        std::strcpy(values->jvmSelfExtractor, "jre-archive.exe");
        std::strcpy(values->predefinedJvmInstallDir, predefined.c_str());
        std::strcpy(values->jvmHomeDir, homeDir);
        char path[pathSize] = "";
        bool ok = InstallJvm().installJvm(jvmRequestOf(*values), windowsDir.c_str(), path);
        jvmPath = path;
        return ok;
    }
};

// A registry value under HKEY_LOCAL_MACHINE as text; empty when missing.
inline std::string machineValue(const std::string& key, const char* name)
{
    char text[valueSize];
    readRegText(HKEY_LOCAL_MACHINE, key.c_str(), name, text, sizeof text);
    return text;
}

// The launcher the JVM search (extended: the extended search) finds for rules, name and command; "" when none.
inline std::string searchJvm(const VersionRules& rules, const char* name, const char* command, bool extended = false)
{
    char found[pathSize] = "", launcher[launcherNameSize], none[] = "";
    const JvmRequest request = {rules, "", name, std::strcpy(launcher, command), "", none, none};
    FindJvm finder;
    return (extended ? finder.searchExtended(request, found) : finder.isJvmInstalled(request, found)) ? found : "";
}
