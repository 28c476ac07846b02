// The opening of every run: the run's own trace log, the Windows family and the Windows directory.
#include "installer/installer.h"

#include "support/clib.h"
#include "support/fsys.h"
#include "support/textfile.h"
#include "support/winfacts.h"
#include "support/winvers.h"

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
    // At most pathSize bytes of a registry value, whatever its type, and always terminated.
    if (const WindowsDirectorySource* source = readWindowsDirectory(winNTFamily, false, pathSize, homeDirectory)) {
        if (source->traceLine) traceMessage(traceLog, source->traceLine);
        return true;
    }
    traceMessage(traceLog, "unable to get windows directory from registry");
    if (guessWindowsDirectory(winNTFamily, homeDirectory)) return true;
    getCurrentDir(homeDirectory);
    traceMessage(traceLog, "unable to get windows directory");
    return homeDirectory[0] != '\0';
}
