// make bench, main road: the yardsticks that qivstart.exe's own cost is measured against. A windowed
// program, as qivstart.exe is, so that each pays the same kind of process start.
//   roadkinds end                          ends at once (E)
//   roadkinds window                       shows one window and ends (W)
//   roadkinds windows PROGRAM              makes the two windows PROGRAM (qivstart.exe) makes on its
//                                          main road, from its own dialog resource, and ends (D)
//   roadkinds jvm LAUNCHER FOLDER WIZARD   runs the test class, then the wizard, on the JVM
//                                          LAUNCHER in the current folder, as qivstart.exe does (B)
// The exit code is 0 when every step worked.
#include "launcher/startup.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

// Runs one command line and waits for it; true when it started and ended with 0.
bool runAndWait(std::string commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return code == 0;
}

bool registerRoadClass(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "RoadWindow";
    return RegisterClassA(&wc) != 0;
}

void pumpWaiting()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// A window as small programs show one: created, shown, painted, and gone with the process.
bool showOneWindow(HINSTANCE instance)
{
    if (!registerRoadClass(instance)) return false;
    HWND window = CreateWindowExA(0, "RoadWindow", "Installer", WS_POPUP | WS_CAPTION, 100, 100, 320, 100, nullptr,
                                  nullptr, instance, nullptr);
    if (!window) return false;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    pumpWaiting();
    return IsWindowVisible(window) != FALSE;
}

// Placed as the program places its status dialog and owner window, through the same rule.
INT_PTR CALLBACK centredDialog(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG) return FALSE;
    RECT rect;
    GetWindowRect(dialog, &rect);
    Placement placement = centredPlacement(rect.right - rect.left, rect.bottom - rect.top,
                                           GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN),
                                           GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME));
    for (HWND window : {GetParent(dialog), dialog})
        SetWindowPos(window, nullptr, placement.x, placement.y, placement.width, placement.height, SWP_NOZORDER);
    return TRUE;
}

// What no program can skip on qivstart.exe's main road: its owner window and its status dialog (from
// program's own resources, centred on the screen), both shown, the text set, and both hidden again.
bool showAndHideTheStatusDialog(HINSTANCE instance, const char* program)
{
    HMODULE resources = LoadLibraryExA(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!resources || !registerRoadClass(instance)) return false;
    HWND owner = CreateWindowExA(0, "RoadWindow", nullptr, WS_POPUP, CW_USEDEFAULT, 0, 0, 0, nullptr, nullptr,
                                 instance, nullptr);
    HWND dialog = owner ? CreateDialogParamA(resources, "STATUSDIALOG", owner, centredDialog, 0) : nullptr;
    if (!dialog) return false;
    ShowWindow(owner, SW_SHOWDEFAULT);
    ShowWindow(dialog, SW_SHOW);
    SetDlgItemTextA(dialog, 104, "Searching for a Java Virtual Machine ...");
    pumpWaiting();
    bool shown = IsWindowVisible(dialog) != FALSE;
    ShowWindow(dialog, SW_HIDE);
    ShowWindow(owner, SW_HIDE);
    pumpWaiting();
    return shown;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (__argc == 2 && std::strcmp(__argv[1], "end") == 0) return 0;
    if (__argc == 2 && std::strcmp(__argv[1], "window") == 0) return showOneWindow(instance) ? 0 : 1;
    if (__argc == 3 && std::strcmp(__argv[1], "windows") == 0)
        return showAndHideTheStatusDialog(instance, __argv[2]) ? 0 : 1;
    if (__argc == 5 && std::strcmp(__argv[1], "jvm") == 0) {
        std::string launcher = std::string("\"") + __argv[2] + "\"";
        bool tested = runAndWait(launcher + " -cp . TestJvm \"" + __argv[3] + "\"");
        return tested && runAndWait(launcher + " " + __argv[4]) ? 0 : 1;
    }
    return 2;
}
