// The status dialog and the worker thread.
#include "installer/installer.h"
#include "launcher/cmdline.h"
#include "launcher/launcher.h"
#include "launcher/startup.h"
#include "support/clib.h"
#include "support/fsys.h"
#include "support/language.h"
#include "support/markers.h"
#include "support/textbuf.h"

#include <process.h>

#include <memory>
#include <vector>

namespace {

void centre(HWND window, int width, int height)
{
    Placement placement = centredPlacement(width, height, GetSystemMetrics(SM_CXFULLSCREEN),
                                           GetSystemMetrics(SM_CYFULLSCREEN), GetSystemMetrics(SM_CXDLGFRAME),
                                           GetSystemMetrics(SM_CYDLGFRAME));
    SetWindowPos(window, nullptr, placement.x, placement.y, placement.width, placement.height, SWP_NOZORDER);
}

} // namespace

INT_PTR CALLBACK StatusDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: {
        RECT rect;
        GetWindowRect(dialog, &rect);
        int width = rect.right - rect.left, height = rect.bottom - rect.top;
        centre(GetParent(dialog), width, height);
        centre(dialog, width, height);
        return TRUE;
    }
    case WM_COMMAND:
        if (wParam == IDCANCEL) {
            // Escape ends the loop that is running, not the installation.
            PostMessageA(GetParent(dialog), WM_DESTROY, 0, 0);
            DestroyWindow(hDlgMain.load());
            hDlgMain.store(nullptr);
        }
        return FALSE;
    case WM_CLOSE:
        DestroyWindow(dialog);
        hDlgMain.store(nullptr);
        return FALSE;
    case WM_DESTROY:
        return TRUE;
    default:
        return FALSE;
    }
}

void getMessage(HWND dialog, int controlId, char* text)
{
    char language[messageSize];
    getLanguage(language);
    selectControlIdCharType(dialog, controlId, language);
    copyText(text, messageSize, startupText(language));
}

int startProgram(bool quiet, bool silent, char* wizardArgument)
{
    auto installation = std::make_unique<Install>();
    return installation->install(quiet, silent, wizardArgument) ? 1 : 0;
}

void __cdecl startMainThread(void* commandLine)
{
    {
        WizardSwitches switches = readWizardSwitches(static_cast<const char*>(commandLine));
        copyFile("cleanup.exe", "__cleanup.exe");
        std::vector<char> wizardArgument(switches.wizardArgument.begin(), switches.wizardArgument.end());
        wizardArgument.push_back('\0');
        startProgram(switches.quiet, switches.silent, wizardArgument.data());
        dropMarker(waitInstallFilename);
    }
    _endthread();
}
