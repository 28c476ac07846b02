// What the JVM installation needs to know about Windows: its era and family, the Windows, Program
// Files and documents folders; and the two careful registry writers.
#include "jvm/installjvm.h"

#include "support/clib.h"
#include "support/fsys.h"
#include "support/handles.h"
#include "support/registry.h"
#include "support/syslib.h"
#include "support/textbuf.h"

#include <shlobj.h>

#include <cstring>
#include <string>

namespace {
const char* const traceLog = "jinstall.log";
constexpr std::size_t bufferSize = 5001;
const char* const ntVersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char* const versionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// Access rights for a key that is written, widest first; the middle one is tried twice.
const REGSAM writeRights[] = {KEY_ALL_ACCESS, KEY_READ | KEY_WRITE, KEY_READ | KEY_WRITE, KEY_CREATE_SUB_KEY};

using ShGetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
} // namespace

bool InstallJvm::isVistaOrWindows7()
{
    HMODULE kernel = loadSystemLibrary("KERNEL32.DLL");
    bool vista = false;
    if (!kernel) {
        traceMessage(traceLog, "KERNEL32 not found");
    } else {
        traceMessage(traceLog, "checking for vista/7");
        OSVERSIONINFOA info = {};
        info.dwOSVersionInfoSize = sizeof info; // 148
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        vista = GetVersionExA(&info) && info.dwMajorVersion >= 6;
#pragma GCC diagnostic pop
    }
    traceMessage(traceLog, "vista/7", vista);
    return vista;
}

bool InstallJvm::isWinNT()
{
    return (GetVersion() & 0x80000000ul) == 0;
}

bool InstallJvm::isDirInPath(const char* name, char* dir)
{
    std::string lowered = name;
    lowerAscii(lowered.data());
    // The whole PATH is searched, however long; an entry that would not fit dir is passed over.
    return findDirInPath(getPathPtr(), lowered.c_str(), dir, bufferSize);
}

bool InstallJvm::getWindowsDirectory(char* dir)
{
    dir[0] = '\0';
    constexpr std::size_t valueLimit = 260;
    bool nt = isWinNT();
    if (nt) {
        const char* const sources[][2] = {{ntVersionKey, "SystemRoot"},
                                          {ntVersionKey, "PathName"},
                                          {ntVersionKey, "WinDir"},
                                          {"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SETUP", "WinDir"}};
        for (const auto& source : sources)
            if (readRegText(HKEY_LOCAL_MACHINE, source[0], source[1], dir, valueLimit)) return true;
    }
    if (readRegText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SETUP", "WinDir", dir,
                    valueLimit))
        return true;
    if (isDirInPath(nt ? "winnt" : "windows", dir)) return true;
    const char* fixed = nt ? "c:\\winnt" : "c:\\windows";
    if (pathExists(fixed)) {
        copyText(dir, bufferSize, fixed);
        return true;
    }
    dir[0] = '\0';
    return false;
}

bool InstallJvm::getProgramFilesDirectory(char* dir)
{
    dir[0] = '\0';
    UniqueHkey key = openRegKey(HKEY_LOCAL_MACHINE, versionKey, KEY_QUERY_VALUE);
    if (!key) key = openRegKey(HKEY_LOCAL_MACHINE, ntVersionKey, KEY_QUERY_VALUE);
    if (key) {
        bool found = readRegText(key.get(), "ProgramFilesDir", dir, 5000);
        if (!found) traceMessage(traceLog, "Unable to find Program Files directory in registry");
        return found;
    }
    if (pathExists("C:\\Program Files")) {
        copyText(dir, bufferSize, "C:\\Program Files");
        return true;
    }
    traceMessage(traceLog, "Unable to find Program Files directory in registry");
    return false;
}

bool InstallJvm::getDocumentsDirectory(char* dir)
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
            copyText(dir, bufferSize, path);
            return true;
        }
    }
    return false;
}

bool InstallJvm::getProgramsDirectory(char* dir)
{
    return isVistaOrWindows7() ? getDocumentsDirectory(dir) : getProgramFilesDirectory(dir);
}

bool InstallJvm::addToRegistry(HKEY root, const char* subkey, HKEY* key)
{
    *key = nullptr;
    if (UniqueHkey probe = openRegKey(root, subkey, KEY_QUERY_VALUE)) {
        probe.reset();
        for (REGSAM rights : writeRights)
            if (RegOpenKeyExA(root, subkey, 0, rights, key) == ERROR_SUCCESS) return true;
    }
    for (REGSAM rights : writeRights)
        if (RegCreateKeyExA(root, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, rights, nullptr, key, nullptr) ==
            ERROR_SUCCESS)
            return true;
    *key = nullptr;
    traceMessage(traceLog, "Unable to create registry key", subkey);
    return false;
}

bool InstallJvm::addValueToRegistry(HKEY key, const char* name, const char* value)
{
    char existing[5000];
    if (readRegText(key, name, existing, sizeof existing)) {
        traceMessage(traceLog, name, "already exists in registry");
        return true;
    }
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>(std::strlen(value) + 1));
    return true;
}
