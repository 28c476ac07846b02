// Process entry: the hidden main window, the status dialog, the worker thread, the three message loops
// that follow the marker files, and the hand-over to the package's cleanup program.
#include "launcher/cmdline.h"
#include "launcher/launcher.h"
#include "support/clib.h"
#include "support/fsys.h"
#include "support/handles.h"
#include "support/language.h"
#include "support/markers.h"
#include "support/spawnargs.h"
#include "support/textbuf.h"
#include "support/textfile.h"
#include "support/trace.h"

#include <process.h>

#include <cstdio>
#include <string>

HINSTANCE hInst = nullptr;
std::atomic<bool> postedQuit{false};

namespace {

const char* const windowClass = "GenericWClass";
constexpr UINT_PTR timerId = 1;
constexpr UINT timerPeriod = 100; // milliseconds: the loops test the markers at least this often
constexpr int graceMessages = 200;
const char* const packageFolderTooLongText =
    "The installation files were unpacked into a folder whose path is too long.\r\rUnpack them into a folder "
    "with a shorter path and start the installation again.";

bool registerWindowClass()
{
    WNDCLASSA wc = {};
    wc.style = 0;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = hInst;
    wc.hIcon = LoadIconA(hInst, "IDI_ICON1");
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszMenuName = "";
    wc.lpszClassName = windowClass;
    return RegisterClassA(&wc) != 0;
}

void createMarker(const char* path)
{
    if (FILE* marker = std::fopen(path, "wt")) {
        std::fputs("ok\n", marker);
        std::fclose(marker);
    }
}

// Retrieves and dispatches one message; false on the quit message (or a failed retrieval).
bool pumpOne(MSG& msg)
{
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) return false;
    HWND dialog = hDlgMain.load();
    if (!dialog || !IsDialogMessageA(dialog, &msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

void handOver(const char* startDir, const char* currentDir)
{
    if (!startDir[0] || equalsNoCase(startDir, currentDir)) {
        removeFile("__cleanup.exe");
        removeFile("cleanup.exe");
        return;
    }
    std::string program = std::string(currentDir) + "\\__cleanup.exe";
    // The cleanup program gets the folder as its one argument, also when the folder has blanks.
    std::string folder = asOneArgument(currentDir);
    const char* const argv[] = {"__cleanup.exe", folder.c_str(), nullptr};
    UniqueKernelHandle process(reinterpret_cast<HANDLE>(_spawnv(_P_NOWAIT, program.c_str(), argv)));
    if (process.get() == reinterpret_cast<HANDLE>(-1)) process.release();
}

} // namespace

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        postedQuit = true;
        return 0;
    case WM_SETFOCUS:
        SetFocus(hDlgMain.load());
        return 0;
    case WM_TIMER:
        return 0; // the timer only wakes the loops
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void getStartDir(char* buffer)
{
    readStartDir("startdir.txt", buffer);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    // The program runs from a folder that anybody may have written to: DLLs come from the system folder.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);

    std::string statusText(messageSize, '\0');
    char currentDir[pathSize];
    char startDir[pathSize];
    getCurrentDir(currentDir);
    if (!markerPathsFit(currentDir)) {
        // Neither the markers nor the logs could be named in a folder this long: no run, one box.
        Trace report;
        report.logAndTraceMessage(errorsLog, traceLog, "package folder path too long:", currentDir);
        report.showError(nullptr, packageFolderTooLongText);
        return 0;
    }
    setMarkerPaths(currentDir);
    getStartDir(startDir);
    hInst = hInstance;

    if (!hPrevInstance && !registerWindowClass()) return 0;

    HWND mainWindow = CreateWindowExA(0, windowClass, nullptr, WS_POPUP, CW_USEDEFAULT, 0, 0, 0, nullptr, nullptr,
                                      hInst, nullptr);
    // The worker's deletions of the markers wake the loops below through this window.
    setMarkerWatcher(mainWindow);
    hDlgMain = CreateDialogParamA(hInst, "STATUSDIALOG", mainWindow, StatusDialog, 0);
    setWindowCharType(hDlgMain.load());

    if (!commandLineHidesWindows(lpCmdLine)) {
        ShowWindow(mainWindow, nCmdShow);
        ShowWindow(hDlgMain.load(), SW_SHOW);
        getMessage(hDlgMain.load(), 104, statusText.data());
        SetDlgItemTextA(hDlgMain.load(), 104, statusText.c_str());
    }

    // The markers exist before the worker can end, so that its deletion of the installation marker
    // can never come first and leave the loops waiting for good.
    createMarker(waitInstallFilename);
    createMarker(showDialogFilename);

    MSG msg = {};
    if (_beginthread(startMainThread, 0, lpCmdLine) == static_cast<uintptr_t>(-1)) {
        removeFile(showDialogFilename);
        removeFile(waitInstallFilename);
    } else {
        // First loop: the status window is up while the worker searches for and installs a JVM.
        SetTimer(mainWindow, timerId, timerPeriod, nullptr);
        while (pumpOne(msg)) {
            if (!pathExists(waitInstallFilename) || !pathExists(showDialogFilename)) {
                KillTimer(mainWindow, timerId);
                break;
            }
        }

        // Second loop: the window stays a little longer to bridge the wizard's start-up.
        SetTimer(mainWindow, timerId, timerPeriod, nullptr);
        for (int count = 0; pumpOne(msg); ++count) {
            if (count == graceMessages || !pathExists(waitInstallFilename)) {
                KillTimer(mainWindow, timerId);
                break;
            }
        }

        // Third loop: hidden, until the installation is over.
        ShowWindow(hDlgMain.load(), SW_HIDE);
        ShowWindow(mainWindow, SW_HIDE);
        bool running = pathExists(waitInstallFilename);
        SetTimer(mainWindow, timerId, timerPeriod, nullptr);
        if (running) {
            while (pumpOne(msg)) {
                if (!pathExists(waitInstallFilename)) {
                    KillTimer(mainWindow, timerId);
                    break;
                }
            }
        }
    }

    handOver(startDir, currentDir);
    if (!postedQuit) PostQuitMessage(0);
    return static_cast<int>(msg.wParam);
}
