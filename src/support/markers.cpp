#include "support/markers.h"

#include "support/fsys.h"
#include "support/textbuf.h"

#include <cstring>

char waitInstallFilename[pathSize] = "";
char showDialogFilename[pathSize] = "";
std::atomic<HWND> hDlgMain{nullptr};

namespace {
std::atomic<HWND> watcher{nullptr};
} // namespace

void setMarkerPaths(const char* folder)
{
    formatText(waitInstallFilename, sizeof waitInstallFilename, "%s\\%s", folder, "__qivinstall.sem");
    formatText(showDialogFilename, sizeof showDialogFilename, "%s\\%s", folder, "__qivshow.sem");
}

void setMarkerWatcher(HWND window)
{
    watcher = window;
}

void dropMarker(const char* path)
{
    if (!path[0] || !pathExists(path)) return;
    // The file goes first: a loop woken before that would find the marker still there.
    if (!removeFile(path)) return;
    if (HWND window = watcher.load()) PostMessageA(window, WM_NULL, 0, 0);
}

bool markerPathsFit(const char* folder)
{
    return std::strlen(folder) + std::strlen("\\__qivinstall.sem") < MAX_PATH;
}
