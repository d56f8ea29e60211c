// Measures the prompt against the floor program, through the Windows API so
// the same benchmark runs on Windows: start-up to a painted window, Escape to
// process exit, peak working set, and the programs' sizes. Prints one
// Markdown table of medians.
#include <windows.h>
#include <psapi.h>
#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../tests/wine/harness.h"

namespace {

struct Sample {
    double startMs = 0, exitMs = 0, peakKiB = 0;
    bool ok = false;
};

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

Sample Measure(const std::string& exe, const char* windowClass)
{
    Sample s;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + exe + "\"";
    double t0 = Now();
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return s;
    // Painted: the window is visible and the program has gone idle, so its
    // first paint has been handled.
    WaitForInputIdle(process.hProcess, 10000);
    HWND window = FindProcessWindow(process.dwProcessId, windowClass, 10000);
    s.startMs = Now() - t0;
    if (window) {
        // Out of the timing: make sure the key goes to this window.
        for (int i = 0; i < 50 && GetForegroundWindow() != window; ++i) {
            SetForegroundWindow(window);
            Sleep(20);
        }
        Sleep(300);
        PROCESS_MEMORY_COUNTERS memory = {};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
        s.peakKiB = double(memory.PeakWorkingSetSize) / 1024.0;
        double t2 = Now();
        KeyDown(VK_ESCAPE);
        s.ok = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
        s.exitMs = Now() - t2;
        KeyUp(VK_ESCAPE);
    }
    if (!s.ok)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return s;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (long long)data.nFileSizeHigh << 32 | data.nFileSizeLow;
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = argc > 1 ? atoi(argv[1]) : 41;
    std::string prompt = ProgramPath();
    std::string floor = BuildFile("bench\\floor.exe");
    std::vector<double> start[2], exit[2], peak[2];
    int failed = 0;
    for (int i = 0; i < runs; ++i) {
        // Alternate which goes first, so that neither always runs on a warmer system.
        for (int k = 0; k < 2; ++k) {
            int which = (i + k) % 2;
            Sample s = which == 0 ? Measure(prompt, "TfrmMain") : Measure(floor, "Floor");
            if (!s.ok) {
                ++failed;
                continue;
            }
            start[which].push_back(s.startMs);
            exit[which].push_back(s.exitMs);
            peak[which].push_back(s.peakKiB);
        }
    }
    printf("| measure (median of %d runs) | prompt | floor | ratio | goal |\n", runs);
    printf("|---|---|---|---|---|\n");
    printf("| start-up to painted window | %.1f ms | %.1f ms | %.2f | within 1.10 |\n", Median(start[0]),
           Median(start[1]), Median(start[0]) / Median(start[1]));
    printf("| Escape to process exit | %.1f ms | %.1f ms | %.2f | |\n", Median(exit[0]), Median(exit[1]),
           Median(exit[0]) / Median(exit[1]));
    printf("| peak working set | %.0f KiB | %.0f KiB | %.2f | within 1.25 |\n", Median(peak[0]), Median(peak[1]),
           Median(peak[0]) / Median(peak[1]));
    printf("| size, i686 (release) | %lld bytes | | | under 98,304 |\n", FileSize(ProgramPath("i686")));
    printf("| size, x86_64 | %lld bytes | | | |\n", FileSize(prompt));
    if (failed)
        printf("\n%d runs did not finish and are left out.\n", failed);
    return failed ? 1 : 0;
}
