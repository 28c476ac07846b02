#include "support/winfacts.h"

#include "support/clib.h"
#include "support/fsys.h"
#include "support/handles.h"
#include "support/limits.h"
#include "support/registry.h"
#include "support/syslib.h"
#include "support/textbuf.h"

#include <shlobj.h>

#include <string>

namespace {
const char* const ntVersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char* const versionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

const WindowsDirectorySource ntSources[] = {
    {ntVersionKey, "SystemRoot", "got home directory from SystemRoot"},
    {ntVersionKey, "PathName", "got home directory from PathName"},
    {ntVersionKey, "WinDir", "got home directory from WinDir"},
    {"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SETUP", "WinDir", "got home directory from Setup WinDir"},
};
const WindowsDirectorySource windows95Source = {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SETUP", "WinDir",
                                                nullptr};

using ShGetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
} // namespace

bool isVistaOrWindows7(Trace& tracer)
{
    HMODULE kernel = loadSystemLibrary("KERNEL32.DLL");
    bool vista = false;
    if (!kernel) {
        tracer.traceMessage(traceLog, "KERNEL32 not found");
    } else {
        tracer.traceMessage(traceLog, "checking for vista/7");
        OSVERSIONINFOA info = {};
        info.dwOSVersionInfoSize = sizeof info; // 148
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        vista = GetVersionExA(&info) && info.dwMajorVersion >= 6;
#pragma GCC diagnostic pop
    }
    tracer.traceMessage(traceLog, "vista/7", vista);
    return vista;
}

bool isWinNT()
{
    return (GetVersion() & 0x80000000ul) == 0;
}

bool isDirInPath(const char* name, char* dir)
{
    std::string lowered = name;
    lowerAscii(lowered.data());
    return findDirInPath(getPathPtr(), lowered.c_str(), dir, pathSize);
}

const WindowsDirectorySource* readWindowsDirectory(bool nt, bool windows95Too, std::size_t valueLimit, char* dir)
{
    dir[0] = '\0';
    if (nt) {
        for (const WindowsDirectorySource& source : ntSources)
            if (readRegText(HKEY_LOCAL_MACHINE, source.key, source.value, dir, valueLimit)) return &source;
    }
    if ((!nt || windows95Too) &&
        readRegText(HKEY_LOCAL_MACHINE, windows95Source.key, windows95Source.value, dir, valueLimit))
        return &windows95Source;
    return nullptr;
}

bool guessWindowsDirectory(bool nt, char* dir)
{
    if (isDirInPath(nt ? "winnt" : "windows", dir)) return true;
    const char* fixed = nt ? "c:\\winnt" : "c:\\windows";
    if (pathExists(fixed)) {
        copyText(dir, pathSize, fixed);
        return true;
    }
    dir[0] = '\0';
    return false;
}

bool getWindowsDirectory(char* dir)
{
    bool nt = isWinNT();
    return readWindowsDirectory(nt, true, MAX_PATH, dir) || guessWindowsDirectory(nt, dir);
}

bool getProgramFilesDirectory(Trace& tracer, char* dir)
{
    dir[0] = '\0';
    UniqueHkey key = openRegKey(HKEY_LOCAL_MACHINE, versionKey, KEY_QUERY_VALUE);
    if (!key) key = openRegKey(HKEY_LOCAL_MACHINE, ntVersionKey, KEY_QUERY_VALUE);
    if (key) {
        bool found = readRegText(key.get(), "ProgramFilesDir", dir, valueSize);
        if (!found) tracer.traceMessage(traceLog, "Unable to find Program Files directory in registry");
        return found;
    }
    if (pathExists("C:\\Program Files")) {
        copyText(dir, pathSize, "C:\\Program Files");
        return true;
    }
    tracer.traceMessage(traceLog, "Unable to find Program Files directory in registry");
    return false;
}

bool getDocumentsDirectory(char* dir)
{
    dir[0] = '\0';
    // The shell's folder lookup comes from whichever of the two libraries is there, from the system folder.
    HMODULE shell = loadSystemLibrary("Shell32.dll");
    if (!shell) shell = loadSystemLibrary("SHFolder.dll");
    if (!shell) return false;
    auto getFolderPath = reinterpret_cast<ShGetFolderPath>(
        reinterpret_cast<void*>(GetProcAddress(shell, "SHGetFolderPathA")));
    if (!getFolderPath) return false;
    char path[MAX_PATH] = "";
    for (int folder : {CSIDL_COMMON_DOCUMENTS, CSIDL_PERSONAL}) {
        if (getFolderPath(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path) >= 0) {
            copyText(dir, pathSize, path);
            return true;
        }
    }
    return false;
}

bool getProgramsDirectory(Trace& tracer, char* dir)
{
    return isVistaOrWindows7(tracer) ? getDocumentsDirectory(dir) : getProgramFilesDirectory(tracer, dir);
}
