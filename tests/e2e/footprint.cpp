// Prints what the waiting launcher costs: time from process start to its tray
// icon, then its working set and CPU time after sitting 30 s on one record of
// Delay 300. Not a test; tools/footprint.sh runs it in a session of its own.
#include <windows.h>

#include <psapi.h>

#include <cstdint>
#include <cstdio>

#include "resources/resource_ids.h"
#include "tests/e2e/driver.h"

namespace {

constexpr DWORD kWaitMs = 30000;

double Seconds(const FILETIME& time) {
    const std::uint64_t ticks = (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<double>(ticks) / 1e7;  // 100-ns units
}

double KiB(SIZE_T bytes) { return static_cast<double>(bytes) / 1024.0; }

}  // namespace

int main() {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    const std::string exe = e2e::TrellisbournePath();
    if (!e2e::FileExists(exe)) {
        std::fprintf(stderr, "footprint: TRELLIS_EXE does not name a file: %s\n", exe.c_str());
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

    const std::uint64_t started = e2e::NowMs();
    e2e::Process launcher = e2e::StartProcess(exe, "run");
    if (!launcher.Valid()) {
        std::fprintf(stderr, "footprint: cannot start %s\n", exe.c_str());
        return 1;
    }
    const HWND window = e2e::WaitForLauncherWindow(launcher.Id(), 30000);
    const std::uint64_t windowSeen = e2e::NowMs();
    if (!window || !e2e::WaitFor([&] { return e2e::TrayIconPresent(window); }, 30000, 5)) {
        std::fprintf(stderr, "footprint: no launcher window or no tray icon\n");
        return 1;
    }
    const std::uint64_t trayPresent = e2e::NowMs();
    std::printf("start to launcher window:      %6llu ms\n",
                static_cast<unsigned long long>(windowSeen - started));
    std::printf("start to tray icon present:    %6llu ms\n",
                static_cast<unsigned long long>(trayPresent - started));

    // The measurement is the 30 s wait itself; the process must still be waiting at its end.
    if (launcher.WaitExit(kWaitMs)) {
        std::fprintf(stderr, "footprint: the launcher ended during the wait\n");
        return 1;
    }
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(launcher.Handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    FILETIME creation, exit, kernel, user;
    GetProcessTimes(launcher.Handle(), &creation, &exit, &kernel, &user);

    // Under Wine the working set counts Wine's own libraries as well: compare
    // runs with each other, not with Windows figures.
    std::printf("after %lu s waiting (one record, Delay 300):\n", static_cast<unsigned long>(kWaitMs / 1000));
    std::printf("  working set:                 %8.0f KiB\n", KiB(memory.WorkingSetSize));
    std::printf("  peak working set:            %8.0f KiB\n", KiB(memory.PeakWorkingSetSize));
    std::printf("  committed (pagefile usage):  %8.0f KiB\n", KiB(memory.PagefileUsage));
    std::printf("  CPU time user + kernel:      %8.3f s (%.3f + %.3f)\n", Seconds(user) + Seconds(kernel),
                Seconds(user), Seconds(kernel));

    e2e::PostCommand(window, IDM_STOP);
    if (!launcher.WaitExit(10000)) {
        std::fprintf(stderr, "footprint: the launcher did not stop\n");
        return 1;
    }
    return 0;
}
