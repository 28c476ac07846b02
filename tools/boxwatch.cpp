// boxwatch OUTFILE [--shot]: answers the message boxes of the program for someone who is not there
// (the demo). Every box whose title begins with "Quivrell Installer" is written to OUTFILE as its
// title, a tab and its text (CR and LF shown as \r and \n), one box a line, and closed with OK. It
// ends when OUTFILE.stop exists, or after ten minutes.
// With --shot, the first time the status dialog ("Installer") is visible, the watcher holds the
// program's other threads still (an installation can be over in less time than a screenshot takes),
// moves any box out of the dialog's way, creates OUTFILE.shot-wanted and waits up to five seconds for
// OUTFILE.shot-taken before it lets the program go on: the demo takes its screenshot in between.
#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<HWND> boxes;
HWND statusDialog = nullptr;

BOOL CALLBACK collect(HWND window, LPARAM)
{
    char cls[32] = "", title[256] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (std::strcmp(cls, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title), SMTO_ABORTIFHUNG,
                             500, &length))
        return TRUE;
    if (std::strncmp(title, "Quivrell Installer", 18) == 0) boxes.push_back(window);
    if (std::strcmp(title, "Installer") == 0) statusDialog = window;
    return TRUE;
}

bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Suspends (or resumes) every thread of the dialog's process but the one that draws the dialog.
void holdWorkers(HWND dialog, bool hold)
{
    DWORD pid = 0;
    DWORD uiThread = GetWindowThreadProcessId(dialog, &pid);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != pid || entry.th32ThreadID == uiThread) continue;
        if (HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID)) {
            if (hold)
                SuspendThread(thread);
            else
                ResumeThread(thread);
            CloseHandle(thread);
        }
    }
    CloseHandle(snapshot);
}

// Puts the boxes below the status dialog, so that the screenshot shows both, and waits for it.
void waitForScreenshot(const std::string& out)
{
    holdWorkers(statusDialog, true);
    Sleep(300); // the dialog's text, and a box that is on its way
    boxes.clear();
    EnumWindows(collect, 0);
    RECT dialog;
    GetWindowRect(statusDialog, &dialog);
    for (HWND box : boxes)
        SetWindowPos(box, nullptr, dialog.left, dialog.bottom + 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Sleep(200); // let the moved boxes be painted
    if (FILE* wanted = std::fopen((out + ".shot-wanted").c_str(), "w")) std::fclose(wanted);
    for (int i = 0; i < 100 && !exists(out + ".shot-taken"); ++i) Sleep(50);
    holdWorkers(statusDialog, false);
}

std::string textOf(HWND window)
{
    char text[8192] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 500,
                        &length);
    return text;
}

std::string escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3 || (argc == 3 && std::strcmp(argv[2], "--shot") != 0)) {
        std::fprintf(stderr, "usage: boxwatch OUTFILE [--shot]\n");
        return 2;
    }
    std::string out = argv[1];
    bool shotWanted = argc == 3;
    std::vector<HWND> answered;
    for (int tick = 0; tick < 10 * 60 * 20; ++tick) {
        if (exists(out + ".stop")) break;
        boxes.clear();
        statusDialog = nullptr;
        EnumWindows(collect, 0);
        if (shotWanted && statusDialog) {
            waitForScreenshot(out);
            shotWanted = false;
        }
        for (HWND box : boxes) {
            bool seen = false;
            for (HWND done : answered) seen = seen || done == box;
            if (seen) continue;
            HWND textControl = GetDlgItem(box, 0xFFFF);
            std::string line = escaped(textOf(box)) + "\t" + escaped(textControl ? textOf(textControl) : "");
            if (FILE* log = std::fopen(argv[1], "ab")) {
                std::fprintf(log, "%s\n", line.c_str());
                std::fclose(log);
            }
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            answered.push_back(box);
        }
        Sleep(50);
    }
    return 0;
}
