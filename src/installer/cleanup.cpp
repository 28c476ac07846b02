// The cleanup at the end of every run: the package's files go, a JVM that the wizard moved out of the
// package folder is configured where it now lies and its temporary copy removed, and the logs are
// copied to the folder the user started the installation from.
#include "installer/installer.h"

#include "installer/cleanuprules.h"
#include "jvm/installjvm.h"
#include "support/clib.h"
#include "support/fsys.h"
#include "support/handles.h"
#include "support/markers.h"
#include "support/removetree.h"
#include "support/textbuf.h"
#include "support/textfile.h"

#include <direct.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
const char* const manifestPath = "META-INF\\MANIFEST.MF";

// True for a file that opens and holds no byte.
bool isEmptyFile(const char* path)
{
    UniqueFile file(path, "rb");
    return file && std::fseek(file.get(), 0, SEEK_END) == 0 && std::ftell(file.get()) == 0;
}

} // namespace

void Install::cleanUp(bool success)
{
    cleanUpManifest(success);
    cleanUpJvmDir();
    cleanUpErrorsLog();
    cleanUpLogFiles();
    removeFile("changes.txt");
    removeFile("startdir.txt");
    removeFile("native.properties");
}

void Install::cleanUpManifest(bool success)
{
    if (UniqueFile manifest{manifestPath, "rb"}) {
        TextReader reader(manifest.get());
        char line[messageSize];
        while (reader.readPiece(line, sizeof line)) {
            std::string name = manifestName(line);
            if (name.empty()) continue;
            // A short name is the run's file too.
            char longName[pathSize];
            DWORD length = GetLongPathNameA(name.c_str(), longName, sizeof longName);
            if (isRunFile(name) || (length > 0 && length < sizeof longName && isRunFile(longName)))
                traceMessage(traceLog, "not deleting a file of this run:", name.c_str());
            else if (staysInsideFolder(name))
                removeFile(name.c_str());
            else
                traceMessage(traceLog, "not deleting a file outside the package folder:", name.c_str());
        }
    }
    removeFile(manifestPath);
    _rmdir("META-INF");
    removeFile("install.jar");
    removeFile("swingall.jar");

    if (pathExists("jinstall.sem")) {
        removeFile("jinstall.sem");
        // A log this run made itself goes after a success; after a failure it ends with the verdict.
        if (success)
            removeFile(traceLog);
        else
            traceMessage(traceLog, "install ok", false);
    }
}

void Install::cleanUpJvmDir()
{
    UniqueFile file("native.properties", "rb");
    if (!file) return;
    JvmLocationRecord record = readJvmLocation(file.get());
    file.reset();
    for (const std::string& line : record.trace) traceMessage(traceLog, line.c_str());
    const std::string& location = record.location;
    std::string tempDir = record.tempDir;
    if (!equalsNoCase(record.inTemp.c_str(), "true")) return;

    {
        InstallJvm installer;
        installer.setHwnd(hDlgMain.load());
        if (record.configureRegistry && location.size() < valueSize) {
            char commandName[launcherNameSize];
            copyText(commandName, sizeof commandName, values.jvmCommandName);
            installer.configureJvm(values.jvmVersion, values.jvmName, commandName, location.c_str(), homeDirectory,
                                   true);
        }
    }

    if (tempDir.empty()) tempDir = location;
    // The temporary JVM lies in the package folder; a record that names any other folder, or the package
    // folder itself, does not get the cleanup to delete it. What is removed is what was checked: the
    // folder as Windows reads the record's text.
    char package[pathSize];
    getCurrentDir(package);
    const std::string folder = fullPathName(tempDir.c_str());
    if (!isFolderInside(folder, package)) {
        traceMessage(traceLog, "Warning: not deleting a folder outside the package folder:", tempDir.c_str());
        return;
    }
    // The removal takes every folder it empties; nothing else is removed by name here, which would go
    // through a link that could not be removed.
    if (!removeDirAndSubdirs(folder.c_str())) {
        std::string warning = "Warning: Unable to delete " + folder;
        traceMessage(traceLog, warning.c_str());
    }
}

void Install::cleanUpErrorsLog()
{
    if (isEmptyFile(errorsLog)) removeFile(errorsLog);
}

void Install::cleanUpLogFiles()
{
    if (!pathExists("startdir.txt")) return;
    char startDir[pathSize];
    readStartDir("startdir.txt", startDir);
    char current[pathSize];
    getCurrentDir(current);
    // Folders are compared as folders, not as texts: a log appended to itself doubles, and the Windows
    // directory the logs fall back to may be this folder too.
    if (!startDir[0] || !pathExists(startDir) || samePlace(startDir, current)) return;
    const char* destination =
        isDirWriteProtected(startDir) && !isDirWriteProtected(homeDirectory) ? homeDirectory : startDir;
    if (destination == homeDirectory && samePlace(homeDirectory, current)) return;
    traceMessage(traceLog, "copying log files to", destination);
    _cleanUpLogFiles(destination);
}

void Install::_cleanUpLogFiles(const char* destination)
{
    char current[pathSize];
    getCurrentDir(current);
    std::string pattern = std::string(current) + "\\*.log";
    std::vector<std::string> logs;
    WIN32_FIND_DATAA entry;
    UniqueFindFile search(FindFirstFileA(pattern.c_str(), &entry));
    if (search) {
        do {
            if (std::strcmp(entry.cFileName, ".") != 0 && std::strcmp(entry.cFileName, "..") != 0)
                logs.emplace_back(entry.cFileName);
        } while (FindNextFileA(search.get(), &entry));
    }
    search.reset();

    for (const std::string& name : logs) {
        if (name.find("qivpand.log") != std::string::npos && isEmptyFile(name.c_str())) continue;
        std::string target = std::string(destination) + "\\" + name;
        // A copy cut short by a full disk is as lost as one never made.
        bool saved = appendFile(name.c_str(), target.c_str());
        if (equalsNoCase(name.c_str(), errorsLog) && (!saved || !pathExists(target.c_str())))
            showError(hDlgMain.load(), "Unable to save errors.log\r\rTry installing from a non-write protected drive.");
    }
}

bool Install::isDirWriteProtected(const char* directory)
{
    if (!directory[0]) return true;
    std::string probe = std::string(directory) + "\\__qivtest.zos";
    long size = 0;
    {
        UniqueFile test(probe.c_str(), "wt");
        if (!test) return true;
        std::fputs("ok", test.get());
        std::fseek(test.get(), 0, SEEK_END);
        size = std::ftell(test.get());
        if (!test.close()) size = 0;
    }
    _unlink(probe.c_str());
    return size < 1;
}

bool Install::removeDirAndSubdirs(const char* directory)
{
    traceMessage(traceLog, "removing all files and subdirs from", directory);
    return removeTree(directory, [](const std::string&) { return false; });
}
