// The JVM installation procedures: the package's JVM archive expanded into a chosen folder, or the
// JVM's own installer run and the machine searched again; then the result is verified.
#include "jvm/installjvm.h"

#include "control/singlekey.h"
#include "exec/execcmd.h"
#include "jvm/findjvm.h"
#include "jvm/installrules.h"
#include "jvm/jvmok.h"
#include "support/clib.h"
#include "support/fsys.h"
#include "support/textbuf.h"

#include <direct.h>

#include <cstring>
#include <memory>
#include <string>

namespace {
const char* const traceLog = "jinstall.log";
constexpr std::size_t bufferSize = 5001;
} // namespace

InstallJvm::InstallJvm() : jvmInstalled(0), foundExistingJvm(0), homeDirectory(new char[5000]), hwnd(nullptr)
{
    homeDirectory[0] = '\0';
}

InstallJvm::~InstallJvm()
{
    delete[] homeDirectory;
}

void InstallJvm::setHwnd(HWND window)
{
    hwnd = window;
}

void InstallJvm::traceTo(const std::string& file, const char* first, const char* second)
{
    traceMessage(file.c_str(), first, second);
}

bool InstallJvm::installJvm(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmMaxVersion, char* jvmVersion,
                            char* jvmName, char* jvmCommandName, char* jvmSelfExtractor, char* predefinedJvmInstallDir,
                            char* jvmHomeDir, char* jvmPath, const char* home)
{
    std::unique_ptr<char[]> installDir(new char[bufferSize]);
    installDir[0] = '\0';
    showStatus(1);
    bool installed = thirdPartyInstaller()
                         ? installThirdPartyJvm(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmVersion, jvmName,
                                                jvmCommandName, jvmSelfExtractor, predefinedJvmInstallDir, jvmHomeDir,
                                                jvmPath, home, installDir.get())
                         : installCompressedJvm(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmVersion, jvmName,
                                                jvmCommandName, jvmSelfExtractor, predefinedJvmInstallDir, jvmHomeDir,
                                                jvmPath, home, installDir.get());
    if (installed) {
        JvmOk checker;
        checker.setHwnd(hwnd);
        installed = checker.jvmCorrectVersion(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, installDir.get(),
                                              jvmCommandName, jvmPath);
    }
    if (installed && !foundExistingJvm) jvmInstalled = 1;
    traceMessage(traceLog, "installJvm ok", installed);
    return installed;
}

bool InstallJvm::thirdPartyInstaller()
{
    ControlKeyLookup lookup = lookUpControlKey("jvmThirdPartyInstaller", "__qivwizard.sem");
    if (!lookup.opened) {
        traceMessage(traceLog, "unable to open qiv.control file", "defaulting to uncompressing JVM");
        return false;
    }
    return lookup.found && isAffirmative(lookup.value());
}

bool InstallJvm::installThirdPartyJvm(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmMaxVersion, char*,
                                      char* jvmName, char* jvmCommandName, char* jvmSelfExtractor,
                                      char* predefinedJvmInstallDir, char* jvmHomeDir, char* jvmPath, const char*,
                                      char* installDir)
{
    showStatus(1);
    char command[bufferSize];
    bool result = false;
    bool started = false;
    if (getJvmInstallerCommand(jvmSelfExtractor, command)) {
        ExecCommand runner;
        traceMessage(traceLog, "about to run 3rd party installer for JVM:", command);
        started = runner.execCommand(command, nullptr);
    }
    if (started) {
        traceMessage(traceLog, "issued command to install JVM:", command);
        if (searchForJvm(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmName, jvmCommandName, jvmPath)) {
            // The installer chose the JVM's place: nothing of the package's folder settings applies.
            predefinedJvmInstallDir[0] = '\0';
            jvmHomeDir[0] = '\0';
            getJavaHomeDirectory(jvmPath, installDir);
            result = true;
        }
    } else {
        traceMessage(traceLog, "unable to install JVM from:", command);
    }
    traceMessage(traceLog, "installThirdPartyJvm ok", result);
    return result;
}

bool InstallJvm::searchForJvm(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmMaxVersion, char* jvmName,
                              char* jvmCommandName, char* jvmPath)
{
    showStatus("Searching for JVM again", 1);
    FindJvm finder;
    finder.setHwnd(hwnd);
    bool found = finder.isJvmInstalled(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmName, jvmCommandName,
                                       jvmPath);
    if (found)
        traceMessage(traceLog, "Found correct version of JVM:", jvmPath);
    else
        traceMessage(traceLog, "Correct version of JVM was not found in common locations");
    return found;
}

bool InstallJvm::installCompressedJvm(char* jvmRequiredVersion, char* jvmMinVersion, char* jvmMaxVersion,
                                      char* jvmVersion, char* jvmName, char* jvmCommandName, char* jvmSelfExtractor,
                                      char* predefinedJvmInstallDir, char* jvmHomeDir, char* jvmPath,
                                      const char* home, char* installDir)
{
    showStatus(1);
    copyText(homeDirectory, 5000, home);
    bool chosen = createJvmDirectory(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmVersion, jvmName,
                                     jvmCommandName, predefinedJvmInstallDir, installDir, jvmPath, &foundExistingJvm);
    traceMessage(traceLog, "found existing jvm directory", foundExistingJvm != 0);
    if (!chosen) {
        traceMessage(traceLog, "installCompressedJvm ok", false);
        return false;
    }

    if (!foundExistingJvm) {
        ExecCommand runner;
        traceMessage(traceLog, "installing jvm in", installDir);
        char start[bufferSize];
        getCurrentDir(start);
        traceMessage(traceLog, "current directory", start);
        // The archive runs in its target folder; its lines still go to the start folder's logs.
        std::string errors = std::string(start) + "\\errors.log";
        std::string trace = std::string(start) + "\\jinstall.log";
        runner.setErrorsFilename(errors.c_str());
        runner.setTraceFilename(trace.c_str());

        char command[bufferSize];
        char now[bufferSize];
        bool started = false;
        if (getJvmInstallerCommand(jvmSelfExtractor, command)) {
            bool moved = _chdir(installDir) == 0;
            getCurrentDir(now);
            traceTo(trace, "current directory after chdir: ", now);
            if (moved) started = runner.execCommand(command, nullptr);
            _chdir(start);
            getCurrentDir(now);
            traceTo(trace, "current directory after chdir: ", now);
            traceTo(trace, started ? "issued command to expand:" : "unable to expand", command);
        } else {
            _chdir(start);
            getCurrentDir(now);
            traceTo(trace, "current directory after chdir: ", now);
            traceTo(trace, "unable to expand", command);
        }
        removeFile((std::string(start) + "\\__temp.log").c_str());
        if (!started) {
            traceMessage(traceLog, "installCompressedJvm ok", false);
            return false;
        }
    }

    if (jvmHomeDir[0]) {
        std::string dir = applyJvmHomeDir(installDir, jvmHomeDir);
        if (dir.size() > installPathLimit) {
            traceMessage(traceLog, "final jvm install directory too long:", dir.c_str());
        } else {
            copyText(installDir, bufferSize, dir.c_str());
            traceMessage(traceLog, "final jvm install directory:", installDir);
        }
    }
    // A JVM in the application's folder is temporary: the cleanup registers it where the wizard puts it.
    bool configureRegistry = !contains(predefinedJvmInstallDir, "[$AppDir]");
    bool configured = configureJvm(jvmVersion, jvmName, jvmCommandName, installDir, homeDirectory, configureRegistry);
    traceMessage(traceLog, "installCompressedJvm ok", configured);
    return configured;
}

bool InstallJvm::getJvmInstallerCommand(const char* jvmSelfExtractor, char* command)
{
    char folder[bufferSize];
    getCurrentDir(folder);
    std::string path = std::string(folder) + "\\" + installerFileName(jvmSelfExtractor);
    if (path.size() > installPathLimit) {
        command[0] = '\0';
        traceMessage(traceLog, "Compressed JVM path too long:", path.c_str());
        return false;
    }
    if (path.find(' ') != std::string::npos) {
        char shortForm[5000] = "";
        DWORD length = GetShortPathNameA(path.c_str(), shortForm, sizeof shortForm);
        if (length > 0 && length < sizeof shortForm) {
            std::string result = shortForm;
            if (result.find(' ') != std::string::npos) {
                char full[5000] = "";
                DWORD fullLength = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
                if (fullLength > 0 && fullLength < sizeof full) result = full;
            }
            path = result;
        }
    }
    bool exists = pathExists(path.c_str());
    if (!exists) traceMessage(traceLog, "Compressed JVM does *not* exist: ", path.c_str());
    if (path.find(' ') != std::string::npos) path = "\"" + path + "\"";
    copyText(command, bufferSize, path.c_str());
    return exists;
}
