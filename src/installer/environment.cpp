// The opening of every run: the run's own trace log, the Windows family and the Windows directory.
#include "installer/installer.h"

#include "support/clib.h"
#include "support/fsys.h"
#include "support/registry.h"
#include "support/textbuf.h"
#include "support/textfile.h"
#include "support/winvers.h"

namespace {

const char* const traceLog = "jinstall.log";

struct HomeSource {
    const char* key;
    const char* value;
    const char* traceLine; // null: found silently
};

const HomeSource ntSources[] = {
    {"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot", "got home directory from SystemRoot"},
    {"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "PathName", "got home directory from PathName"},
    {"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "WinDir", "got home directory from WinDir"},
    {"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SETUP", "WinDir", "got home directory from Setup WinDir"},
};
const HomeSource windows95Sources[] = {
    {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SETUP", "WinDir", nullptr},
};

} // namespace

bool Install::getEnvironmentSetup()
{
    // A run that finds no trace log makes its own, and marks it as its own.
    if (!pathExists(traceLog)) {
        UniqueFile(traceLog, "a");
        UniqueFile("jinstall.sem", "a");
    }
    getWinEnvironmentSetup();
    getHomeDirectory();
    return true;
}

bool Install::getWinEnvironmentSetup()
{
    WinVersion version;
    winNTFamily = version.winNT();
    return true;
}

bool Install::getHomeDirectory()
{
    homeDirectory[0] = '\0';
    const HomeSource* sources = winNTFamily ? ntSources : windows95Sources;
    std::size_t count = winNTFamily ? sizeof ntSources / sizeof ntSources[0] : 1;
    for (std::size_t i = 0; i < count; ++i) {
        // At most 5000 bytes of the value, whatever its type, and always terminated.
        if (readRegText(HKEY_LOCAL_MACHINE, sources[i].key, sources[i].value, homeDirectory, 5001)) {
            if (sources[i].traceLine) traceMessage(traceLog, sources[i].traceLine);
            return true;
        }
    }
    traceMessage(traceLog, "unable to get windows directory from registry");

    const char* name = winNTFamily ? "winnt" : "windows";
    const char* fixed = winNTFamily ? "c:\\winnt" : "c:\\windows";
    if (isDirInPath(name, homeDirectory)) return true;
    if (pathExists(fixed)) {
        copyText(homeDirectory, sizeof homeDirectory, fixed);
        return true;
    }
    getCurrentDir(homeDirectory);
    traceMessage(traceLog, "unable to get windows directory");
    return homeDirectory[0] != '\0';
}

bool Install::isDirInPath(const char* name, char* out)
{
    char lowered[100];
    copyText(lowered, sizeof lowered, name);
    lowerAscii(lowered);
    // The whole PATH is searched, however long it is; an entry that would not fit out is passed over.
    return findDirInPath(getPathPtr(), lowered, out, 5001);
}
