// make bench, start-up part: how long after its start qivstart.exe shows its status dialog.
// startbench PROGRAM FOLDER RUNS: starts the program RUNS times in FOLDER (a package that ends in an
// error box, which is answered), and prints the times from process creation to a visible dialog.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD pid;
    bool dialog = false;
    std::vector<HWND> boxes;
};

BOOL CALLBACK look(HWND window, LPARAM lParam)
{
    Search& search = *reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search.pid || !IsWindowVisible(window)) return TRUE;
    char cls[32] = "", title[64] = "";
    GetClassNameA(window, cls, sizeof cls);
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title), SMTO_ABORTIFHUNG, 200,
                        &length);
    if (std::strcmp(cls, "#32770") != 0) return TRUE;
    if (std::strcmp(title, "Installer") == 0) search.dialog = true;
    if (std::strncmp(title, "Quivrell Installer", 18) == 0) search.boxes.push_back(window);
    return TRUE;
}

double milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: startbench PROGRAM FOLDER RUNS\n");
        return 2;
    }
    std::vector<double> times;
    for (int run = 0; run < std::atoi(argv[3]); ++run) {
        for (const char* leftover : {"jinstall.log", "jinstall.sem", "errors.log", "__qivinstall.sem"}) {
            std::string path = std::string(argv[2]) + "\\" + leftover;
            DeleteFileA(path.c_str());
        }
        std::string commandLine = std::string("\"") + argv[1] + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        LARGE_INTEGER start, shown;
        QueryPerformanceCounter(&start);
        if (!CreateProcessA(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, argv[2], &startup,
                            &info)) {
            std::fprintf(stderr, "cannot start %s\n", argv[1]);
            return 1;
        }
        bool seen = false;
        for (int i = 0; i < 20000 && !seen; ++i) {
            Search search{info.dwProcessId, false, {}};
            EnumWindows(look, reinterpret_cast<LPARAM>(&search));
            if (search.dialog) {
                QueryPerformanceCounter(&shown);
                seen = true;
            } else {
                Sleep(1);
            }
        }
        while (WaitForSingleObject(info.hProcess, 20) == WAIT_TIMEOUT) {
            Search search{info.dwProcessId, false, {}};
            EnumWindows(look, reinterpret_cast<LPARAM>(&search));
            for (HWND box : search.boxes) PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
        if (!seen) {
            std::fprintf(stderr, "the status dialog never became visible\n");
            return 1;
        }
        times.push_back(milliseconds(start, shown));
    }
    std::sort(times.begin(), times.end());
    std::printf("status dialog visible after %.0f ms (median of %zu starts; fastest %.0f ms, slowest %.0f ms)\n",
                times[times.size() / 2], times.size(), times.front(), times.back());
    return 0;
}
