// make bench, main road: what qivstart.exe itself adds to the JVM runs it must make.
// roadbench RUNS ROAD KINDS LAUNCHER WIZARD PROGRAM times, RUNS times each and run by run in turn:
//   A  ROAD\A<n>\package\qivstart.exe, the sample package's whole run (the status dialog shown);
//   B  KINDS jvm: the same two JVM runs (LAUNCHER on the test class, then with the arguments WIZARD)
//      in ROAD\B<n>\package, started directly;
//   W  KINDS window: a program that shows one window and ends;
//   E  KINDS end: a program that ends at once;
//   D  KINDS windows PROGRAM: the two windows PROGRAM makes on its main road, shown and hidden again.
// Each package folder is a fresh copy whose startdir.txt names the start folder beside it; a run
// counts only when the sample wizard installed its application there. Prints the medians and the
// program's own cost, A - B - (W - E): A and B pay one process start each, as W and E do; and, as a
// check on a busy machine, the median of that figure taken run by run. D - W is the part of that cost
// that the program's windows alone take beyond W's one window.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double now()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds from the start of the command to the end of its process; negative when it failed: it
// could not start, outlived 120 s, or (when its exit code is a verdict) ended with another code than 0.
double timed(std::string commandLine, const std::string& folder, bool verdict = true)
{
    // What the wizard says goes nowhere, for every kind alike.
    static HANDLE nowhere = [] {
        SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
        return CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                           OPEN_EXISTING, 0, nullptr);
    }();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nowhere;
    PROCESS_INFORMATION info = {};
    double start = now();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", commandLine.c_str(), GetLastError());
        return -1;
    }
    bool ended = WaitForSingleObject(info.hProcess, 120000) == WAIT_OBJECT_0;
    double time = now() - start;
    DWORD code = 1;
    GetExitCodeProcess(info.hProcess, &code);
    if (!ended) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (ended && (code == 0 || !verdict)) return time;
    std::fprintf(stderr, "%s %s %lu\n", commandLine.c_str(), ended ? "ended with" : "still ran after 120 s, code",
                 code);
    return -1;
}

// One argument of a command line, as the runtime library takes it apart again: in double quotes, a
// double quote inside (and the backslashes before it) escaped.
std::string quoted(const std::string& text)
{
    std::string result = "\"";
    std::size_t backslashes = 0;
    for (char c : text) {
        if (c == '"') result.append(backslashes + 1, '\\');
        backslashes = c == '\\' ? backslashes + 1 : 0;
        result += c;
    }
    return result.append(backslashes, '\\') + "\"";
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 7) {
        std::fprintf(stderr, "usage: roadbench RUNS ROAD KINDS LAUNCHER WIZARD PROGRAM\n");
        return 2;
    }
    int runs = std::atoi(argv[1]);
    std::string road = argv[2], kinds = quoted(argv[3]), launcher = argv[4], wizard = argv[5];
    const std::string program = quoted(argv[6]);
    const char* const names[] = {"A", "B", "W", "E", "D"};
    std::vector<double> times[5];
    for (int run = 1; run <= runs; ++run) {
        for (int kind = 0; kind < 5; ++kind) {
            std::string place = road + "\\" + names[kind] + std::to_string(run), package = place + "\\package";
            double time = -1;
            if (kind == 0)
                // The program's exit code is the last message's wParam, which may be the timer's id:
                // what it installed tells whether it worked.
                time = timed(quoted(package + "\\qivstart.exe"), package, false);
            else if (kind == 1)
                time = timed(kinds + " jvm " + quoted(launcher) + " " + quoted(package) + " " + quoted(wizard), package);
            else
                time = timed(kinds + (kind == 2 ? " window" : kind == 3 ? " end" : " windows " + program), "");
            bool installed = kind > 1 || GetFileAttributesA((place + "\\start\\Quivrell Sample\\README.txt").c_str()) !=
                                             INVALID_FILE_ATTRIBUTES;
            if (time < 0 || !installed) {
                std::fprintf(stderr, "run %d of %s failed%s\n", run, names[kind],
                             time < 0 ? "" : ": the wizard installed nothing");
                return 1;
            }
            times[kind].push_back(time);
        }
    }
    const char* const what[] = {"the program on the sample package", "the same two JVM runs, started directly",
                                "a program that shows one window", "a program that ends at once",
                                "the program's two windows, shown, hidden"};
    double medians[5];
    for (int kind = 0; kind < 5; ++kind) {
        medians[kind] = median(times[kind]);
        auto range = std::minmax_element(times[kind].begin(), times[kind].end());
        std::printf("%s  %-40s %5.0f ms  (%.0f to %.0f)\n", names[kind], what[kind], medians[kind], *range.first,
                    *range.second);
    }
    // The same figure run by run: the four of a run met the same moment of a busy machine.
    std::vector<double> own;
    for (int run = 0; run < runs; ++run)
        own.push_back(times[0][run] - times[1][run] - (times[2][run] - times[3][run]));
    std::printf("A - B - (W - E), the program's own cost: %.0f ms from the medians (run by run: median %.0f ms)\n",
                medians[0] - medians[1] - (medians[2] - medians[3]), median(own));
    std::printf("D - W, what the program's windows take beyond one window: %.0f ms\n", medians[4] - medians[2]);
    return 0;
}
