// Prints what the waiting launcher costs: time from process start to its tray
// icon, then its memory and CPU time after sitting 30 s on one record of
// Delay 300. With TRELLIS_FLOOR naming the floor program (bench/tray_floor_win.cpp:
// hidden window, icon, timer, message loop and nothing else), measures that
// too in the same session and prints each launcher figure as a ratio to the
// floor's. Start times are the median of several starts taken in turns, so that
// neither program gains from starting second. Not a test; tools/footprint.sh
// runs it in a session of its own.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/e2e/driver.h"

namespace {

constexpr DWORD kWaitMs = 30000;
constexpr int kStartRounds = 9;
constexpr char kFloorClass[] = "TrellisFloorClass";

struct SFigures {
    std::uint64_t startToWindowMs = 0;
    std::uint64_t startToTrayMs = 0;
    double workingSetKiB = 0;
    double peakWorkingSetKiB = 0;
    double committedKiB = 0;
    double userS = 0;
    double kernelS = 0;
    double waitCpuS = 0;            // of the total, the part spent in the 30 s wait
    std::set<std::string> modules;  // lower-case file names of the loaded DLLs
    double CpuS() const { return userS + kernelS; }
};

// How to find a program's window once it runs, and how to end it.
struct SSubject {
    const char* name;
    std::string exe;
    std::string arguments;
    std::function<HWND(DWORD processId)> waitForWindow;
    std::function<void(HWND window)> stop;
};

double Seconds(const FILETIME& time) {
    const std::uint64_t ticks =
        (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<double>(ticks) / 1e7;  // 100-ns units
}

double KiB(SIZE_T bytes) {
    return static_cast<double>(bytes) / 1024.0;
}

double CpuSeconds(HANDLE process, double* user = nullptr, double* kernel = nullptr) {
    FILETIME creation, exit, kernelTime, userTime;
    if (!GetProcessTimes(process, &creation, &exit, &kernelTime, &userTime)) return 0;
    if (user) *user = Seconds(userTime);
    if (kernel) *kernel = Seconds(kernelTime);
    return Seconds(userTime) + Seconds(kernelTime);
}

std::set<std::string> LoadedModules(HANDLE process) {
    std::set<std::string> names;
    HMODULE modules[512];
    DWORD needed = 0;
    if (!EnumProcessModulesEx(process, modules, sizeof modules, &needed, LIST_MODULES_ALL))
        return names;
    const DWORD count = std::min<DWORD>(needed / sizeof(HMODULE), sizeof modules / sizeof(HMODULE));
    for (DWORD i = 1; i < count; ++i) {  // the first is the program itself
        char name[MAX_PATH];
        if (!GetModuleBaseNameA(process, modules[i], name, sizeof name)) continue;
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        names.insert(lower);
    }
    return names;
}

// Starts the program and waits for its tray icon; with `sit`, then waits 30 s
// and takes its memory and CPU figures. Ends it either way.
bool Measure(const SSubject& subject, SFigures& figures, bool sit) {
    const std::uint64_t started = e2e::NowMs();
    e2e::Process process = e2e::StartProcess(subject.exe, subject.arguments);
    if (!process.Valid()) {
        std::fprintf(stderr, "footprint: cannot start %s\n", subject.exe.c_str());
        return false;
    }
    const HWND window = subject.waitForWindow(process.Id());
    figures.startToWindowMs = e2e::NowMs() - started;
    if (!window || !e2e::WaitFor([&] { return e2e::TrayIconPresent(window); }, 30000, 5)) {
        std::fprintf(stderr, "footprint: %s: no window or no tray icon\n", subject.name);
        return false;
    }
    figures.startToTrayMs = e2e::NowMs() - started;
    if (!sit) {
        subject.stop(window);
        return process.WaitExit(10000);
    }

    // The measurement is the 30 s wait itself; the process must still be waiting at its end.
    const double cpuBeforeWait = CpuSeconds(process.Handle());
    if (process.WaitExit(kWaitMs)) {
        std::fprintf(stderr, "footprint: %s ended during the wait\n", subject.name);
        return false;
    }
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.Handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    figures.waitCpuS =
        CpuSeconds(process.Handle(), &figures.userS, &figures.kernelS) - cpuBeforeWait;
    figures.workingSetKiB = KiB(memory.WorkingSetSize);
    figures.peakWorkingSetKiB = KiB(memory.PeakWorkingSetSize);
    figures.committedKiB = KiB(memory.PagefileUsage);
    figures.modules = LoadedModules(process.Handle());

    subject.stop(window);
    if (!process.WaitExit(10000)) {
        std::fprintf(stderr, "footprint: %s did not stop\n", subject.name);
        return false;
    }
    return true;
}

void Print(const char* name, const SFigures& f) {
    std::printf("%s:\n", name);
    std::printf("  start to window (median):    %8llu ms\n",
                static_cast<unsigned long long>(f.startToWindowMs));
    std::printf("  start to tray icon (median): %8llu ms\n",
                static_cast<unsigned long long>(f.startToTrayMs));
    std::printf("  after %lu s waiting:\n", static_cast<unsigned long>(kWaitMs / 1000));
    std::printf("  working set:                 %8.0f KiB\n", f.workingSetKiB);
    std::printf("  peak working set:            %8.0f KiB\n", f.peakWorkingSetKiB);
    std::printf("  committed (pagefile usage):  %8.0f KiB\n", f.committedKiB);
    std::printf("  CPU time user + kernel:      %8.3f s (%.3f + %.3f), %.3f s of it in the wait\n",
                f.CpuS(), f.userS, f.kernelS, f.waitCpuS);
    if (f.modules.empty())  // a 64-bit reader may not see a 32-bit process's list
        std::printf("  DLLs loaded:                  unknown\n");
    else
        std::printf("  DLLs loaded:                 %8zu\n", f.modules.size());
}

void PrintOnlyIn(const char* what, const std::set<std::string>& in,
                 const std::set<std::string>& notIn) {
    std::printf("  %s:", what);
    for (const std::string& name : in)
        if (!notIn.count(name)) std::printf(" %s", name.c_str());
    std::printf("\n");
}

void PrintRatio(const char* what, double launcher, double floor) {
    if (floor > 0)
        std::printf("  %-30s %6.2fx\n", what, launcher / floor);
    else if (launcher > 0)
        std::printf("  %-30s    n/a (the floor's is 0)\n", what);
    else
        std::printf("  %-30s    n/a (both 0)\n", what);
}

}  // namespace

int main() {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    const std::string exe = e2e::TrellisbournePath();
    if (!e2e::FileExists(exe)) {
        std::fprintf(stderr, "footprint: TRELLIS_EXE does not name a file: %s\n", exe.c_str());
        return 1;
    }
    const std::string floorExe = e2e::PathFromEnvironment("TRELLIS_FLOOR");
    if (!floorExe.empty() && !e2e::FileExists(floorExe)) {
        std::fprintf(stderr, "footprint: TRELLIS_FLOOR does not name a file: %s\n",
                     floorExe.c_str());
        return 1;
    }
    if (!e2e::WaitForShell(30000)) {
        std::fprintf(stderr, "footprint: Wine's tray window never appeared\n");
        return 1;
    }
    e2e::AppRecord record;
    record.path = "C:\\e2e\\never-started.exe";
    record.delay = 300;
    e2e::WriteConfig(e2e::ConfigText({e2e::KeptByDayOfWeek(record)}));

    // Under Wine the working set counts Wine's own libraries as well: compare
    // with the floor, not with Windows figures.
    std::vector<SSubject> subjects;
    if (!floorExe.empty()) {
        subjects.push_back({"floor (tray_floor.exe)", floorExe, "",
                            [](DWORD id) {
                                e2e::WindowQuery query;
                                query.className = kFloorClass;
                                query.processId = id;
                                return e2e::WaitForTopLevelWindow(query, 30000);
                            },
                            [](HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }});
    }
    subjects.push_back({"launcher (one record, Delay 300)", exe, "run",
                        [](DWORD id) { return e2e::WaitForLauncherWindow(id, 30000); },
                        [](HWND window) { e2e::PostCommand(window, IDM_STOP); }});

    std::vector<std::vector<SFigures>> starts(subjects.size());
    for (int round = 0; round < kStartRounds; ++round) {
        for (std::size_t k = 0; k < subjects.size(); ++k) {
            const std::size_t which = round % 2 ? subjects.size() - 1 - k : k;  // turns
            SFigures start;
            if (!Measure(subjects[which], start, false)) return 1;
            starts[which].push_back(start);
        }
    }
    std::vector<SFigures> figures(subjects.size());
    for (std::size_t which = 0; which < subjects.size(); ++which) {
        if (!Measure(subjects[which], figures[which], true)) return 1;
        auto median = [&](std::uint64_t SFigures::*field) {
            std::vector<std::uint64_t> values;
            for (const SFigures& start : starts[which]) values.push_back(start.*field);
            std::sort(values.begin(), values.end());
            return values[values.size() / 2];
        };
        figures[which].startToWindowMs = median(&SFigures::startToWindowMs);
        figures[which].startToTrayMs = median(&SFigures::startToTrayMs);
        Print(subjects[which].name, figures[which]);
    }
    const SFigures& launcher = figures.back();
    const SFigures& floor = figures.front();

    if (!floorExe.empty()) {
        std::printf("launcher / floor:\n");
        PrintRatio("committed memory", launcher.committedKiB, floor.committedKiB);
        PrintRatio("working set", launcher.workingSetKiB, floor.workingSetKiB);
        // Wine counts CPU time in 10 ms steps: a few steps make these ratios coarse.
        PrintRatio("CPU time, start and 30 s", launcher.CpuS(), floor.CpuS());
        PrintRatio("CPU time in the 30 s wait", launcher.waitCpuS, floor.waitCpuS);
        PrintRatio("start to tray icon", static_cast<double>(launcher.startToTrayMs),
                   static_cast<double>(floor.startToTrayMs));
        if (!launcher.modules.empty() && !floor.modules.empty()) {
            PrintOnlyIn("DLLs only the launcher loads", launcher.modules, floor.modules);
            PrintOnlyIn("DLLs only the floor loads", floor.modules, launcher.modules);
        }
    }
    return 0;
}
