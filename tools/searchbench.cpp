// make bench, search part: the registry search with 10, 100 and 1,000 version subkeys and no acceptable
// JVM. Every tenth subkey's home holds a launcher (a copy of the fake JVM, reporting a version that is
// refused); the others have none. Prints the time and the number of JVM starts for each size.
// Then the extended search over 200 registry candidates (JavaSoft and vendor keys) whose homes hold no
// launcher: its time, and its JVM starts (there must be none).
// searchbench FAKEJVM: run in an empty folder; it removes the keys and folders it made.
#include "jvm/findjvm.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* const productKey = "SOFTWARE\\JavaSoft\\Java Runtime Environment";

bool setValue(const std::string& key, const char* name, const std::string& value)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG status = RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

int countStarts(const std::string& folder, int homes)
{
    int starts = 0;
    for (int i = 0; i < homes; ++i) {
        std::string calls = folder + "\\homes\\" + std::to_string(i) + "\\fakejvm-calls.txt";
        if (FILE* in = std::fopen(calls.c_str(), "r")) {
            for (int c; (c = std::fgetc(in)) != EOF;)
                if (c == '\n') ++starts;
            std::fclose(in);
        }
    }
    return starts;
}

double now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// How long one search takes (ms); found says whether it found a JVM, which none of these may.
double timedSearch(const VersionRules& rules, bool extended, bool& found)
{
    char command[launcherNameSize] = "javaw.exe", path[pathSize] = "", version[] = "", none[] = "";
    const JvmRequest request = {rules, version, "JRE", command, "", none, none};
    double start = now();
    {
        FindJvm finder;
        found = extended ? finder.searchExtended(request, path) : finder.isJvmInstalled(request, path);
    }
    return now() - start;
}

void extendedSearch(const std::string& folder)
{
    const int count = 200;
    CreateDirectoryA((folder + "\\homes").c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        std::string home = folder + "\\homes\\" + std::to_string(i), version = "17.0." + std::to_string(i);
        CreateDirectoryA(home.c_str(), nullptr);
        if (i % 2)
            setValue("SOFTWARE\\JavaSoft\\JDK\\" + version, "JavaHome", home);
        else
            setValue("SOFTWARE\\Eclipse Adoptium\\JDK\\" + version + ".7\\hotspot\\MSI", "Path", home);
    }
    bool found;
    double elapsed = timedSearch({"", "11", ""}, true, found);
    std::printf("extended search: %d registry candidates without a launcher: %.0f ms, %d JVM starts%s\n", count,
                elapsed, countStarts(folder, count), found ? "  (found one: the benchmark is broken)" : "");
    for (int i = 0; i < count; ++i) RemoveDirectoryA((folder + "\\homes\\" + std::to_string(i)).c_str());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Eclipse Adoptium");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: searchbench FAKEJVM\n");
        return 2;
    }
    char folder[MAX_PATH * 4];
    GetCurrentDirectoryA(sizeof folder, folder);
    if (FILE* testClass = std::fopen("TestJvm.class", "wb")) std::fclose(testClass);

    std::printf("%8s %10s %12s %10s %14s\n", "subkeys", "time", "per subkey", "launchers", "JVM starts");
    for (int count : {10, 100, 1000}) {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft");
        int launchers = 0;
        for (int i = 0; i < count; ++i) {
            std::string home = std::string(folder) + "\\homes\\" + std::to_string(i);
            CreateDirectoryA((std::string(folder) + "\\homes").c_str(), nullptr);
            CreateDirectoryA(home.c_str(), nullptr);
            if (i % 10 == 0) {
                CreateDirectoryA((home + "\\bin").c_str(), nullptr);
                CopyFileA(argv[1], (home + "\\bin\\javaw.exe").c_str(), FALSE);
                if (FILE* settings = std::fopen((home + "\\fakejvm.txt").c_str(), "w")) {
                    std::fputs("result=java.version=1.0.0\n", settings);
                    std::fclose(settings);
                }
                ++launchers;
            }
            char name[32];
            std::snprintf(name, sizeof name, "1.%d.%d", i / 100, i % 100);
            setValue(std::string(productKey) + "\\" + name, "JavaHome", home);
        }

        bool found;
        double elapsed = timedSearch({"9.9", "", ""}, false, found);
        int starts = countStarts(folder, count);
        std::printf("%8d %7.0f ms %9.2f ms %10d %14d%s\n", count, elapsed, elapsed / count, launchers, starts,
                    found ? "  (found one: the benchmark is broken)" : "");

        for (int i = 0; i < count; ++i) {
            std::string home = std::string(folder) + "\\homes\\" + std::to_string(i);
            DeleteFileA((home + "\\bin\\javaw.exe").c_str());
            DeleteFileA((home + "\\fakejvm.txt").c_str());
            DeleteFileA((home + "\\fakejvm-calls.txt").c_str());
            RemoveDirectoryA((home + "\\bin").c_str());
            RemoveDirectoryA(home.c_str());
        }
    }
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\JavaSoft");
    extendedSearch(folder);
    DeleteFileA("TestJvm.class");
    return 0;
}
