// The package's cleanup program. The start-up program copies it to "__cleanup.exe" and starts it with
// the package folder as its one argument when a run is over. It waits until qivstart.exe has ended,
// then empties the package folder, never following a link and never acting on a folder it must not
// touch. Its own file stays, and with it the folder: a running program cannot delete its own file.
// The unpacker that started the run outlives it and removes both once this program has ended.
// Whatever else could not be removed is listed in "cleanup.log" in the start folder. An unpacker that
// waits for the run says so by naming the start folder in QIV_START_DIR; a non-empty "errors.log"
// then stays too, for the unpacker's verdict (its copy is in the start folder already).
#include "cleanup/folderrules.h"
#include "support/fsys.h"
#include "support/limits.h"
#include "support/removetree.h"
#include "support/textfile.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// How long the start-up program may take to end before the folder is emptied all the same.
DWORD startupWaitMs()
{
    const char* setting = std::getenv("QIV_CLEANUP_WAIT_MS"); // only the tests shorten it
    return setting && *setting ? static_cast<DWORD>(std::strtoul(setting, nullptr, 10)) : 60000;
}

// A running program's file cannot be deleted: once qivstart.exe is gone, the program has ended.
bool waitForStartupProgram(const std::string& folder)
{
    std::string program = folder + "\\qivstart.exe";
    DWORD start = GetTickCount();
    while (GetFileAttributesA(program.c_str()) != INVALID_FILE_ATTRIBUTES && !DeleteFileA(program.c_str())) {
        if (GetTickCount() - start >= startupWaitMs()) return false;
        Sleep(100);
    }
    return true;
}

std::string folderOf(const std::string& path)
{
    std::size_t last = path.rfind('\\');
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

void writeLog(const std::string& logFolder, const std::vector<std::string>& lines)
{
    if (lines.empty() || logFolder.empty()) return;
    if (FILE* log = std::fopen((logFolder + "\\cleanup.log").c_str(), "a")) {
        for (const std::string& line : lines) std::fprintf(log, "%s\n", line.c_str());
        std::fclose(log);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    std::string folder = fullPathName(argv[1]);
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();

    char own[pathSize];
    DWORD ownLength = GetModuleFileNameA(nullptr, own, sizeof own);
    std::string ownPath = ownLength && ownLength < sizeof own ? fullPathName(own) : std::string();
    char text[pathSize] = "";
    ProtectedFolders folders;
    if (GetWindowsDirectoryA(text, sizeof text) < sizeof text) folders.windowsDir = text;
    DWORD profileLength = GetEnvironmentVariableA("USERPROFILE", text, sizeof text);
    folders.userProfile = profileLength && profileLength < sizeof text ? text : "";
    readStartDir((folder + "\\startdir.txt").c_str(), text);
    folders.startDir = cleanupLogFolder(std::getenv("QIV_START_DIR"), text);
    folders.programDir = folderOf(ownPath);

    std::vector<std::string> problems;
    const char* refusal = folderRefusal(folder, folders);
    DWORD attributes = GetFileAttributesA(folder.c_str());
    if (!refusal && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        refusal = "a link";
    if (refusal) {
        problems.push_back("not emptying " + folder + ": " + refusal);
        writeLog(folders.startDir, problems);
        return 2;
    }

    if (!waitForStartupProgram(folder)) problems.push_back("qivstart.exe did not end within its time");
    std::vector<std::string> keep{ownPath};
    std::string errors = folder + "\\errors.log";
    WIN32_FILE_ATTRIBUTE_DATA errorsData;
    if (std::getenv("QIV_START_DIR") && GetFileAttributesExA(errors.c_str(), GetFileExInfoStandard, &errorsData) &&
        (errorsData.nFileSizeLow || errorsData.nFileSizeHigh))
        keep.push_back(errors);
    removeTree(
        folder.c_str(),
        [&](const std::string& path) {
            problems.push_back("not removed: " + path);
            return true;
        },
        keep);
    writeLog(folders.startDir, problems);
    return problems.empty() ? 0 : 1;
}
