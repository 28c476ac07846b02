// make bench, main road: the yardsticks that qivstart.exe's own cost is measured against. A windowed
// program, as qivstart.exe is, so that each pays the same kind of process start.
//   roadkinds end                          ends at once (E)
//   roadkinds window                       shows one window and ends (W)
//   roadkinds jvm LAUNCHER FOLDER WIZARD   runs the test class, then the wizard, on the JVM
//                                          LAUNCHER in the current folder, as qivstart.exe does (B)
// The exit code is 0 when every step worked.
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

// A window as small programs show one: created, shown, painted, and gone with the process.
bool showOneWindow(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "RoadWindow";
    if (!RegisterClassA(&wc)) return false;
    HWND window = CreateWindowExA(0, "RoadWindow", "Installer", WS_POPUP | WS_CAPTION, 100, 100, 320, 100, nullptr,
                                  nullptr, instance, nullptr);
    if (!window) return false;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    return IsWindowVisible(window) != FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (__argc == 2 && std::strcmp(__argv[1], "end") == 0) return 0;
    if (__argc == 2 && std::strcmp(__argv[1], "window") == 0) return showOneWindow(instance) ? 0 : 1;
    if (__argc == 5 && std::strcmp(__argv[1], "jvm") == 0) {
        std::string launcher = std::string("\"") + __argv[2] + "\"";
        bool tested = runAndWait(launcher + " -cp . TestJvm \"" + __argv[3] + "\"");
        return tested && runAndWait(launcher + " " + __argv[4]) ? 0 : 1;
    }
    return 2;
}
