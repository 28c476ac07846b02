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

#include <direct.h>

#include <cstring>
#include <string>

namespace {
const char* const errorsLog = "errors.log";
const char* const traceLog = "jinstall.log";
constexpr std::size_t bufferSize = 5001;

std::string lowered(std::string text)
{
    lowerAscii(text.data());
    return text;
}
} // namespace

bool InstallJvm::addDirectory(char* dir, const char* name)
{
    std::string path = joinFolder(dir, name);
    if (path.size() <= installPathLimit) {
        _mkdir(path.c_str());
        if (pathExists(path.c_str())) {
            copyText(dir, bufferSize, path.c_str());
            return true;
        }
    }
    traceMessage(traceLog, "unable to add directory", path.c_str());
    return false;
}

bool InstallJvm::addDirectory(const char* path)
{
    char dir[bufferSize] = "";
    return addDirectory(dir, path);
}

bool InstallJvm::foundValidJvm(const char* jvmRequiredVersion, const char* jvmMinVersion, const char* jvmMaxVersion,
                               char* jvmCommandName, const char* dir, char* jvmPath)
{
    JvmOk checker;
    checker.setHwnd(hwnd);
    bool valid = checker.jvmCorrectVersion(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, dir, jvmCommandName,
                                           jvmPath);
    if (!valid) traceMessage(traceLog, dir, " doesn't have correct version");
    return valid;
}

bool InstallJvm::createJvmDirectory(const char* jvmRequiredVersion, const char* jvmMinVersion,
                                    const char* jvmMaxVersion, const char* jvmVersion, const char* jvmName,
                                    char* jvmCommandName, const char* predefinedJvmInstallDir, char* installDir,
                                    char* jvmPath, unsigned char* found)
{
    const char* path = getPathPtr();
    bool created = _createJvmDirectory(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmVersion, jvmName,
                                       jvmCommandName, predefinedJvmInstallDir, installDir, jvmPath, found);
    if (!created && path) {
        // Each PATH folder in turn; an empty entry stands for the current folder, and one too long for
        // a folder buffer is passed over.
        std::string entries = path;
        std::size_t start = 0;
        while (!created && start <= entries.size()) {
            std::size_t end = entries.find(';', start);
            if (end == std::string::npos) end = entries.size();
            std::string entry = entries.substr(start, end - start);
            start = end + 1;
            if (entry.size() > installPathLimit) continue;
            copyText(installDir, bufferSize, entry.c_str());
            created = createJvmSubdirectory(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmVersion, jvmName,
                                            jvmCommandName, installDir, jvmPath, found);
        }
    }
    if (!created) {
        getCurrentDir(installDir);
        created = createJvmSubdirectory(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmVersion, jvmName,
                                        jvmCommandName, installDir, jvmPath, found);
    }
    if (!created) logAndTraceMessage(errorsLog, traceLog, "Unable to create a new directory to install JVM");
    traceMessage(traceLog, "createJvmDirectory ok", created);
    return created;
}

bool InstallJvm::_createJvmDirectory(const char* jvmRequiredVersion, const char* jvmMinVersion,
                                     const char* jvmMaxVersion, const char* jvmVersion, const char* jvmName,
                                     char* jvmCommandName, const char* predefinedJvmInstallDir, char* installDir,
                                     char* jvmPath, unsigned char* found)
{
    if (predefinedJvmInstallDir[0]) {
        traceMessage(traceLog, "default install directory for JVM", predefinedJvmInstallDir);
        char newDir[bufferSize] = "";
        if (getNewInstallJvmTo(predefinedJvmInstallDir, newDir)) {
            copyText(installDir, bufferSize, newDir);
            if (createPredeterminedJvmDirectory(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmVersion, jvmName,
                                                jvmCommandName, installDir, jvmPath, found))
                return true;
        }
    }
    if (createWinJvmDirectory(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmVersion, jvmName, jvmCommandName,
                              installDir, jvmPath, found))
        return true;
    traceMessage(traceLog, "unable to create Windows JVM directory");
    return false;
}

bool InstallJvm::getNewInstallJvmTo(const char* predefinedJvmInstallDir, char* dir)
{
    if (!hasVariableMarker(predefinedJvmInstallDir)) {
        if (!copyText(dir, bufferSize, predefinedJvmInstallDir)) {
            dir[0] = '\0';
            traceMessage(traceLog, "unable to install JVM in", dir);
            return false;
        }
        traceMessage(traceLog, "installing JVM in", dir);
        return true;
    }

    InstallVariable variable = findInstallVariable(predefinedJvmInstallDir);
    char folder[bufferSize] = "";
    bool haveFolder = false;
    switch (variable) {
    case InstallVariable::programFiles:
        haveFolder = getProgramsDirectory(folder);
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
    if (expanded.size() > installPathLimit) {
        traceMessage(traceLog, "predefined directory for JVM too long:", expanded.c_str());
        return false;
    }
    copyText(dir, bufferSize, expanded.c_str());
    traceMessage(traceLog, "trying to install JVM into", dir);
    return true;
}

bool InstallJvm::createPredeterminedJvmDirectory(const char* jvmRequiredVersion, const char* jvmMinVersion,
                                                 const char* jvmMaxVersion, const char*, const char*,
                                                 char* jvmCommandName, char* dir, char* jvmPath, unsigned char* found)
{
    traceMessage(traceLog, "creating predefined jvm dir", dir);
    bool allExist = true;
    for (const std::string& folder : folderChain(dir)) {
        if (pathExists(folder.c_str())) continue;
        if (!addDirectory(folder.c_str())) {
            allExist = false;
            break;
        }
    }
    if (allExist) {
        JvmOk checker;
        checker.setHwnd(hwnd);
        *found = checker.jvmCorrectVersion(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, dir, jvmCommandName,
                                           jvmPath)
                     ? 1
                     : 0;
    }
    return allExist;
}

bool InstallJvm::createWinJvmDirectory(const char* jvmRequiredVersion, const char* jvmMinVersion,
                                       const char* jvmMaxVersion, const char* jvmVersion, const char* jvmName,
                                       char* jvmCommandName, char* dir, char* jvmPath, unsigned char* found)
{
    char family[100], micro[100];
    parseVersion(jvmVersion, family, sizeof family, micro, sizeof micro);
    char programs[bufferSize] = "";
    std::string drive;

    // One version folder candidate: taken when it holds an acceptable JVM.
    auto takeExisting = [&](const std::string& candidate) {
        traceMessage(traceLog, "found a possible directory", candidate.c_str());
        *found = foundValidJvm(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmCommandName, candidate.c_str(),
                               jvmPath)
                     ? 1
                     : 0;
        bool taken = *found != 0;
        if (taken) copyText(dir, bufferSize, candidate.c_str());
        traceMessage(traceLog, "directory ok", taken);
        traceMessage(traceLog, "discovered jvm", *found != 0);
        return taken;
    };

    if (getProgramsDirectory(programs)) {
        drive = driveOf(programs);
        copyText(dir, bufferSize, programs);
        bool familyFolder = isKnownJvmName(jvmName)
                                ? addDirectory(dir, "JavaSoft") && addDirectory(dir, (std::string(jvmName) + family).c_str())
                                : addDirectory(dir, (std::string("JVM") + family).c_str());
        if (!familyFolder) {
            traceMessage(traceLog, "Unable to create: ", dir);
            familyFolder = addDirectory(dir, (std::string("Java") + family).c_str());
        }
        if (familyFolder) {
            std::string first = joinFolder(dir, std::string(family) + "." + micro);
            if (pathExists(first.c_str())) {
                if (takeExisting(first)) return true;
            } else if (addDirectory(dir, jvmVersion)) {
                return true;
            }
            std::string second = joinFolder(dir, jvmVersion);
            if (pathExists(second.c_str())) {
                if (takeExisting(second)) return true;
            } else if (addDirectory(dir, (std::string("Jvm") + jvmVersion).c_str())) {
                return true;
            }
        }
    }

    // The fallback parents: the drive of the Programs folder, then the Windows directory.
    copyText(dir, bufferSize, drive.c_str());
    if (createJvmSubdirectory(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmVersion, jvmName, jvmCommandName, dir,
                              jvmPath, found))
        return true;
    copyText(dir, bufferSize, homeDirectory);
    return createJvmSubdirectory(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmVersion, jvmName, jvmCommandName,
                                 dir, jvmPath, found);
}

bool InstallJvm::createJvmSubdirectory(const char* jvmRequiredVersion, const char* jvmMinVersion,
                                       const char* jvmMaxVersion, const char* jvmVersion, const char* jvmName,
                                       char* jvmCommandName, char* dir, char* jvmPath, unsigned char* found)
{
    char family[100], micro[100];
    parseVersion(jvmVersion, family, sizeof family, micro, sizeof micro);
    std::string level2 = lowered(std::string(jvmName) + family);

    bool ok = addDirectory(dir, "jvm") && addDirectory(dir, level2.c_str());
    if (ok) {
        if (pathExists(joinFolder(dir, family).c_str())) {
            if (foundValidJvm(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmCommandName, dir, jvmPath)) {
                *found = 1;
            } else if (pathExists(joinFolder(dir, level2).c_str())) {
                *found = foundValidJvm(jvmRequiredVersion, jvmMinVersion, jvmMaxVersion, jvmCommandName, dir, jvmPath)
                             ? 1
                             : 0;
            } else {
                ok = addDirectory(dir, level2.c_str());
            }
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
    return ok;
}
