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

InstallJvm::InstallJvm() = default;

InstallJvm::~InstallJvm() = default;

void InstallJvm::setHwnd(HWND window)
{
    hwnd = window;
}

void InstallJvm::traceTo(const std::string& file, const char* first, const char* second)
{
    traceMessage(file.c_str(), first, second);
}

bool InstallJvm::installJvm(const JvmRequest& request, const char* home, char* jvmPath)
{
    std::unique_ptr<char[]> installDir(new char[pathSize]);
    installDir[0] = '\0';
    showStatus(1);
    bool installed = thirdPartyInstaller() ? installThirdPartyJvm(request, jvmPath, installDir.get())
                                           : installCompressedJvm(request, home, jvmPath, installDir.get());
    if (installed) {
        JvmOk checker;
        checker.setHwnd(hwnd);
        installed = checker.jvmCorrectVersion(request.rules, installDir.get(), request.commandName, jvmPath);
    }
    if (installed && !foundExistingJvm) jvmInstalled = true;
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

bool InstallJvm::installThirdPartyJvm(const JvmRequest& request, char* jvmPath, char* installDir)
{
    showStatus(1);
    char command[pathSize];
    bool result = false;
    bool started = false;
    if (getJvmInstallerCommand(request.selfExtractor, command)) {
        ExecCommand runner;
        traceMessage(traceLog, "about to run 3rd party installer for JVM:", command);
        started = runner.execCommand(command, nullptr);
    }
    if (started) {
        traceMessage(traceLog, "issued command to install JVM:", command);
        if (searchForJvm(request, jvmPath)) {
            // The installer chose the JVM's place: nothing of the package's folder settings applies.
            request.predefinedInstallDir[0] = '\0';
            request.homeDir[0] = '\0';
            getJavaHomeDirectory(jvmPath, installDir);
            result = true;
        }
    } else {
        traceMessage(traceLog, "unable to install JVM from:", command);
    }
    traceMessage(traceLog, "installThirdPartyJvm ok", result);
    return result;
}

bool InstallJvm::searchForJvm(const JvmRequest& request, char* jvmPath)
{
    showStatus("Searching for JVM again", 1);
    FindJvm finder;
    finder.setHwnd(hwnd);
    bool found = finder.isJvmInstalled(request, jvmPath);
    if (found)
        traceMessage(traceLog, "Found correct version of JVM:", jvmPath);
    else
        traceMessage(traceLog, "Correct version of JVM was not found in common locations");
    return found;
}

bool InstallJvm::installCompressedJvm(const JvmRequest& request, const char* home, char* jvmPath, char* installDir)
{
    showStatus(1);
    copyText(homeDirectory, sizeof homeDirectory, home);
    DirChoice choice = createJvmDirectory(request, installDir, jvmPath);
    foundExistingJvm = choice.found;
    traceMessage(traceLog, "found existing jvm directory", foundExistingJvm);
    if (!choice.ok) {
        traceMessage(traceLog, "installCompressedJvm ok", false);
        return false;
    }

    if (!foundExistingJvm) {
        ExecCommand runner;
        traceMessage(traceLog, "installing jvm in", installDir);
        char start[pathSize];
        getCurrentDir(start);
        traceMessage(traceLog, "current directory", start);
        // The archive runs in its target folder; its lines still go to the start folder's logs.
        std::string errors = std::string(start) + "\\errors.log";
        std::string trace = std::string(start) + "\\jinstall.log";
        runner.setErrorsFilename(errors.c_str());
        runner.setTraceFilename(trace.c_str());

        char command[pathSize];
        char now[pathSize];
        bool started = false;
        if (getJvmInstallerCommand(request.selfExtractor, command)) {
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

    if (request.homeDir[0]) {
        std::string dir = applyJvmHomeDir(installDir, request.homeDir);
        if (dir.size() > pathLimit) {
            traceMessage(traceLog, "final jvm install directory too long:", dir.c_str());
        } else {
            copyText(installDir, pathSize, dir.c_str());
            traceMessage(traceLog, "final jvm install directory:", installDir);
        }
    }
    // A JVM in the application's folder is temporary: the cleanup registers it where the wizard puts it.
    bool configureRegistry = !contains(request.predefinedInstallDir, "[$AppDir]");
    bool configured = configureJvm(request.version, request.name, request.commandName, installDir, homeDirectory,
                                   configureRegistry);
    traceMessage(traceLog, "installCompressedJvm ok", configured);
    return configured;
}

bool InstallJvm::getJvmInstallerCommand(const char* jvmSelfExtractor, char* command)
{
    char folder[pathSize];
    getCurrentDir(folder);
    std::string path = std::string(folder) + "\\" + installerFileName(jvmSelfExtractor);
    if (path.size() > pathLimit) {
        command[0] = '\0';
        traceMessage(traceLog, "Compressed JVM path too long:", path.c_str());
        return false;
    }
    if (path.find(' ') != std::string::npos) {
        char shortForm[valueSize] = "";
        DWORD length = GetShortPathNameA(path.c_str(), shortForm, sizeof shortForm);
        if (length > 0 && length < sizeof shortForm) {
            std::string result = shortForm;
            if (result.find(' ') != std::string::npos) {
                char full[valueSize] = "";
                DWORD fullLength = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
                if (fullLength > 0 && fullLength < sizeof full) result = full;
            }
            path = result;
        }
    }
    bool exists = pathExists(path.c_str());
    if (!exists) traceMessage(traceLog, "Compressed JVM does *not* exist: ", path.c_str());
    if (path.find(' ') != std::string::npos) path = "\"" + path + "\"";
    copyText(command, pathSize, path.c_str());
    return exists;
}
