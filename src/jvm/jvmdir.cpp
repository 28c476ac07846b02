// The folder for the package's JVM: the predefined folder with its variable, the Programs-folder
// scheme, and the jvm subfolder scheme under a series of fallback parents. A folder that already holds
// an acceptable JVM is taken as it is, and nothing is expanded.
#include "jvm/installjvm.h"

#include "jvm/installrules.h"
#include "jvm/jvmok.h"
#include "jvm/versionrules.h"
#include "support/clib.h"
#include "support/fsys.h"
#include "support/textbuf.h"
#include "support/winfacts.h"

#include <direct.h>

#include <cstring>
#include <string>

namespace {
std::string lowered(std::string text)
{
    lowerAscii(text.data());
    return text;
}
} // namespace

bool InstallJvm::addDirectory(char* dir, const char* name)
{
    std::string path = joinFolder(dir, name);
    if (path.size() <= pathLimit) {
        _mkdir(path.c_str());
        if (pathExists(path.c_str())) {
            copyText(dir, pathSize, path.c_str());
            return true;
        }
    }
    traceMessage(traceLog, "unable to add directory", path.c_str());
    return false;
}

bool InstallJvm::addDirectory(const char* path)
{
    char dir[pathSize] = "";
    return addDirectory(dir, path);
}

bool InstallJvm::foundValidJvm(const JvmRequest& request, const char* dir, char* jvmPath)
{
    JvmOk checker;
    checker.setHwnd(hwnd);
    bool valid = checker.jvmCorrectVersion(request.rules, dir, request.commandName, jvmPath);
    if (!valid) traceMessage(traceLog, dir, " doesn't have correct version");
    return valid;
}

DirChoice InstallJvm::createJvmDirectory(const JvmRequest& request, char* installDir, char* jvmPath)
{
    const char* path = getPathPtr();
    DirChoice choice = _createJvmDirectory(request, installDir, jvmPath);
    if (!choice.ok && path) {
        // Each PATH folder in turn; an empty entry stands for the current folder, and one too long for
        // a folder buffer is passed over.
        std::string entries = path;
        std::size_t start = 0;
        while (!choice.ok && start <= entries.size()) {
            std::size_t end = entries.find(';', start);
            if (end == std::string::npos) end = entries.size();
            std::string entry = entries.substr(start, end - start);
            start = end + 1;
            if (entry.size() > pathLimit) continue;
            copyText(installDir, pathSize, entry.c_str());
            choice = createJvmSubdirectory(request, installDir, jvmPath);
        }
    }
    if (!choice.ok) {
        getCurrentDir(installDir);
        choice = createJvmSubdirectory(request, installDir, jvmPath);
    }
    if (!choice.ok) logAndTraceMessage(errorsLog, traceLog, "Unable to create a new directory to install JVM");
    traceMessage(traceLog, "createJvmDirectory ok", choice.ok);
    return choice;
}

DirChoice InstallJvm::_createJvmDirectory(const JvmRequest& request, char* installDir, char* jvmPath)
{
    if (request.predefinedInstallDir[0]) {
        traceMessage(traceLog, "default install directory for JVM", request.predefinedInstallDir);
        char newDir[pathSize] = "";
        if (getNewInstallJvmTo(request.predefinedInstallDir, newDir)) {
            copyText(installDir, pathSize, newDir);
            DirChoice choice = createPredeterminedJvmDirectory(request, installDir, jvmPath);
            if (choice.ok) return choice;
        }
    }
    DirChoice choice = createWinJvmDirectory(request, installDir, jvmPath);
    if (!choice.ok) traceMessage(traceLog, "unable to create Windows JVM directory");
    return choice;
}

bool InstallJvm::getNewInstallJvmTo(const char* predefinedJvmInstallDir, char* dir)
{
    if (!hasVariableMarker(predefinedJvmInstallDir)) {
        if (!copyText(dir, pathSize, predefinedJvmInstallDir)) {
            dir[0] = '\0';
            traceMessage(traceLog, "unable to install JVM in", dir);
            return false;
        }
        traceMessage(traceLog, "installing JVM in", dir);
        return true;
    }

    InstallVariable variable = findInstallVariable(predefinedJvmInstallDir);
    char folder[pathSize] = "";
    bool haveFolder = false;
    switch (variable) {
    case InstallVariable::programFiles:
        haveFolder = getProgramsDirectory(*this, folder);
        if (!haveFolder) traceMessage(traceLog, "unable to get Programs File directory for JVM");
        break;
    case InstallVariable::windows:
        haveFolder = getWindowsDirectory(folder);
        if (!haveFolder) traceMessage(traceLog, "unable to get Windows directory for JVM");
        break;
    case InstallVariable::application:
        getCurrentDir(folder);
        haveFolder = true;
        break;
    case InstallVariable::none:
        traceMessage(traceLog, "unknown variable used to install the JVM");
        break;
    }
    dir[0] = '\0';
    if (haveFolder && getVariableDir(installVariableText(variable), folder, predefinedJvmInstallDir, dir)) {
        traceMessage(traceLog, "installing JVM in", dir);
        return true;
    }
    traceMessage(traceLog, "unable to install JVM in", dir);
    return false;
}

bool InstallJvm::getVariableDir(const char* variable, const char* value, const char* predefinedJvmInstallDir,
                                char* dir)
{
    std::string expanded;
    VariableDir result = expandVariableDir(variable, value, predefinedJvmInstallDir, expanded);
    dir[0] = '\0';
    if (result == VariableDir::notFollowedByFolder) {
        traceMessage(traceLog, "invalid predefined directory for JVM", predefinedJvmInstallDir);
        return false;
    }
    if (result == VariableDir::bare) {
        traceMessage(traceLog, "invalid default jvm install directory", predefinedJvmInstallDir);
        return false;
    }
    std::string test = std::string(variable) + "\\";
    traceMessage(traceLog, "predefinedJvmInstallDir != testDir", test.c_str());
    if (expanded.size() > pathLimit) {
        traceMessage(traceLog, "predefined directory for JVM too long:", expanded.c_str());
        return false;
    }
    copyText(dir, pathSize, expanded.c_str());
    traceMessage(traceLog, "trying to install JVM into", dir);
    return true;
}

DirChoice InstallJvm::createPredeterminedJvmDirectory(const JvmRequest& request, char* dir, char* jvmPath)
{
    traceMessage(traceLog, "creating predefined jvm dir", dir);
    for (const std::string& folder : folderChain(dir)) {
        if (pathExists(folder.c_str())) continue;
        if (!addDirectory(folder.c_str())) return {false, false};
    }
    JvmOk checker;
    checker.setHwnd(hwnd);
    return {true, checker.jvmCorrectVersion(request.rules, dir, request.commandName, jvmPath)};
}

DirChoice InstallJvm::createWinJvmDirectory(const JvmRequest& request, char* dir, char* jvmPath)
{
    char family[versionPartSize], micro[versionPartSize];
    parseVersion(request.version, family, sizeof family, micro, sizeof micro);
    char programs[pathSize] = "";
    std::string drive;

    // One version folder candidate: taken when it holds an acceptable JVM.
    auto takeExisting = [&](const std::string& candidate) {
        traceMessage(traceLog, "found a possible directory", candidate.c_str());
        bool taken = foundValidJvm(request, candidate.c_str(), jvmPath);
        if (taken) copyText(dir, pathSize, candidate.c_str());
        traceMessage(traceLog, "directory ok", taken);
        traceMessage(traceLog, "discovered jvm", taken);
        return taken;
    };

    if (getProgramsDirectory(*this, programs)) {
        drive = driveOf(programs);
        copyText(dir, pathSize, programs);
        const std::string name = request.name;
        bool familyFolder = isKnownJvmName(request.name)
                                ? addDirectory(dir, "JavaSoft") && addDirectory(dir, (name + family).c_str())
                                : addDirectory(dir, (std::string("JVM") + family).c_str());
        if (!familyFolder) {
            traceMessage(traceLog, "Unable to create: ", dir);
            familyFolder = addDirectory(dir, (std::string("Java") + family).c_str());
        }
        if (familyFolder) {
            std::string first = joinFolder(dir, std::string(family) + "." + micro);
            if (pathExists(first.c_str())) {
                if (takeExisting(first)) return {true, true};
            } else if (addDirectory(dir, request.version)) {
                return {true, false};
            }
            std::string second = joinFolder(dir, request.version);
            if (pathExists(second.c_str())) {
                if (takeExisting(second)) return {true, true};
            } else if (addDirectory(dir, (std::string("Jvm") + request.version).c_str())) {
                return {true, false};
            }
        }
    }

    // The fallback parents: the drive of the Programs folder, then the Windows directory.
    copyText(dir, pathSize, drive.c_str());
    DirChoice choice = createJvmSubdirectory(request, dir, jvmPath);
    if (choice.ok) return choice;
    copyText(dir, pathSize, homeDirectory);
    return createJvmSubdirectory(request, dir, jvmPath);
}

DirChoice InstallJvm::createJvmSubdirectory(const JvmRequest& request, char* dir, char* jvmPath)
{
    char family[versionPartSize], micro[versionPartSize];
    parseVersion(request.version, family, sizeof family, micro, sizeof micro);
    std::string level2 = lowered(std::string(request.name) + family);

    bool found = false;
    bool ok = addDirectory(dir, "jvm") && addDirectory(dir, level2.c_str());
    if (ok) {
        if (pathExists(joinFolder(dir, family).c_str())) {
            if (foundValidJvm(request, dir, jvmPath))
                found = true;
            else if (pathExists(joinFolder(dir, level2).c_str()))
                found = foundValidJvm(request, dir, jvmPath);
            else
                ok = addDirectory(dir, level2.c_str());
        } else {
            ok = addDirectory(dir, family);
        }
    }
    if (ok) {
        traceMessage(traceLog, "created jvm subdirectory in", dir);
    } else {
        traceMessage(traceLog, "unable to create jvm subdirectory in", dir);
    }
    traceMessage(traceLog, "finished createJvmSubdirectory; ok", ok);
    return {ok, ok && found};
}
