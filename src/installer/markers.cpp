#include "installer/markers.h"

#include "support/textbuf.h"

#include <cstring>

char waitInstallFilename[pathSize] = "";
char showDialogFilename[pathSize] = "";
std::atomic<HWND> hDlgMain{nullptr};

void setMarkerPaths(const char* folder)
{
    formatText(waitInstallFilename, sizeof waitInstallFilename, "%s\\%s", folder, "__qivinstall.sem");
    formatText(showDialogFilename, sizeof showDialogFilename, "%s\\%s", folder, "__qivshow.sem");
}

bool markerPathsFit(const char* folder)
{
    return std::strlen(folder) + std::strlen("\\__qivinstall.sem") < MAX_PATH;
}
