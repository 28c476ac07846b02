#include "programrun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>

std::string programFromEnvironment(const char* variable)
{
    const char* value = std::getenv(variable);
    EXPECT_NE(value, nullptr) << variable << " is not set: run the test through CTest";
    std::string path = value ? value : "";
    // The bench names a Linux path; drive Z: is the Linux root.
    if (path.size() > 1 && path[1] != ':') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(5);
    }
}

std::string windowText(HWND window)
{
    char text[8192] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000,
                        &length);
    return text;
}

ProgramRun::ProgramRun(const std::string& program, const std::string& arguments, const std::string& folder)
{
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info)) {
        ADD_FAILURE() << "cannot start " << program << ": error " << GetLastError();
        return;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
}

ProgramRun::~ProgramRun()
{
    if (!process_) return;
    if (running()) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

bool ProgramRun::running() const
{
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool ProgramRun::waitForExit(DWORD timeoutMs)
{
    if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(process_, &exitCode_);
    return true;
}

namespace {
struct Search {
    DWORD pid;
    const char* windowClass;
    const char* title;
    bool visibleOnly;
    bool titlePrefix;
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM lParam)
{
    Search& search = *reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (search.pid && pid != search.pid) return TRUE;
    if (search.visibleOnly && !IsWindowVisible(window)) return TRUE;
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (search.windowClass && std::strcmp(cls, search.windowClass) != 0) return TRUE;
    if (search.title) {
        std::string title = windowText(window);
        bool match = search.titlePrefix ? title.rfind(search.title, 0) == 0 : title == search.title;
        if (!match) return TRUE;
    }
    search.found.push_back(window);
    return TRUE;
}
} // namespace

HWND ProgramRun::window(const char* windowClass, const char* title, bool visibleOnly) const
{
    Search search{pid_, windowClass, title, visibleOnly, false, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found.front();
}

std::vector<HWND> ProgramRun::boxes() const
{
    Search search{pid_, "#32770", "Quivrell Installer", true, true, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::string> ProgramRun::answerBoxes(bool anyProcess)
{
    static std::set<HWND> answered; // a box stays visible for a moment after its answer
    Search search{anyProcess ? 0 : pid_, "#32770", "Quivrell Installer", true, true, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
    std::vector<std::string> texts;
    for (HWND box : search.found) {
        // A box answered a moment ago may not have closed yet: it is counted once, also when the
        // boxes of every process are answered by more than one run.
        bool seen = std::find(answered_.begin(), answered_.end(), box) != answered_.end();
        if (anyProcess && !answered.insert(box).second) seen = true;
        if (seen) continue;
        answered_.push_back(box);
        HWND text = GetDlgItem(box, 0xFFFF);
        texts.push_back(text ? windowText(text) : "");
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    return texts;
}
