// Entry of qivstart.exe while the launcher shell is being built: it runs the installation sequence in
// the current folder and ends.
#include "installer/installer.h"
#include "installer/markers.h"
#include "support/clib.h"

#include <windows.h>

#include <memory>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);

    char folder[5001];
    getCurrentDir(folder);
    setMarkerPaths(folder);

    char wizardArgument[1] = "";
    auto installation = std::make_unique<Install>();
    return installation->install(false, false, wizardArgument) ? 0 : 1;
}
