// make bench: times the program's copyFile against the system's CopyFileA on a 1 MB and a 200 MB
// file, in turns, and prints the medians and their ratio. Run in an empty folder; it removes what it
// writes.
#include "support/clib.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <class Copy>
double timed(Copy copy)
{
    DeleteFileA("bench.target");
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    bool ok = copy();
    QueryPerformanceCounter(&end);
    if (!ok) {
        std::fprintf(stderr, "copy failed\n");
        std::exit(1);
    }
    return seconds(start, end);
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

bool writeSource(std::size_t size)
{
    FILE* out = std::fopen("bench.source", "wb");
    if (!out) return false;
    std::vector<char> block(1 << 20);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 131 + 7);
    for (std::size_t written = 0; written < size; written += block.size())
        std::fwrite(block.data(), 1, std::min(block.size(), size - written), out);
    return std::fclose(out) == 0;
}

} // namespace

int main()
{
    struct Size {
        const char* name;
        std::size_t bytes;
        int runs;
    } sizes[] = {{"1 MB", 1u << 20, 21}, {"200 MB", 200u << 20, 9}};

    std::printf("%-8s %14s %14s %8s\n", "file", "copyFile", "CopyFileA", "ratio");
    for (const Size& size : sizes) {
        if (!writeSource(size.bytes)) {
            std::fprintf(stderr, "cannot write the source file\n");
            return 1;
        }
        // Warm the cache once, then take turns, so that a busy moment of the machine falls on both.
        copyFile("bench.source", "bench.target");
        std::vector<double> ours, system;
        for (int run = 0; run < size.runs; ++run) {
            ours.push_back(timed([] { return copyFile("bench.source", "bench.target"); }));
            system.push_back(timed([] { return CopyFileA("bench.source", "bench.target", FALSE) != 0; }));
        }
        double oursMedian = median(ours), systemMedian = median(system);
        std::printf("%-8s %11.2f ms %11.2f ms %8.2f\n", size.name, oursMedian * 1000, systemMedian * 1000,
                    oursMedian / systemMedian);
    }
    DeleteFileA("bench.source");
    DeleteFileA("bench.target");
    return 0;
}
