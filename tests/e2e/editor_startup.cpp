// Not a test: prints the editor's start-up time (tools/editor-startup.sh),
// from CreateProcess to the frame window shown, for configurations of a few
// sizes. Usage: editor_startup [RUNS]  (default 5 runs per size)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "tests/e2e/editor_window.h"

namespace {

double NowMsPrecise() {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency);
}

std::vector<e2e::AppRecord> Records(int count) {
    std::vector<e2e::AppRecord> records;
    for (int i = 0; i < count; ++i) {
        e2e::AppRecord r;
        r.path = "C:\\Program Files\\Application " + std::to_string(i) + "\\app" +
                 std::to_string(i) + ".exe";
        r.nCmdShow = 1 + i % 3;
        r.delay = static_cast<std::uint16_t>(i % 301);
        r.dowEnable = i % 2 == 0;
        r.dow = static_cast<std::uint16_t>(i % 7);
        r.domEnable = i % 5 == 0;
        r.dom = static_cast<std::uint16_t>(1 + i % 31);
        r.workWeekEnable = i % 3 == 0;
        r.workWeek = static_cast<std::uint16_t>(1 + i % 2);
        records.push_back(r);
    }
    return records;
}

// Milliseconds from the start of the process to its frame being visible, or
// a negative value when the editor failed.
double TimeOneStart() {
    const double started = NowMsPrecise();
    e2e::Process editor = e2e::StartProcess(e2e::TrellisbournePath(), "");
    if (!editor.Valid()) return -1;
    HWND frame = nullptr;
    const bool shown = e2e::WaitFor(
        [&] { return (frame = e2e::FindEditorFrame(editor.Id())) != nullptr; }, 30000, 1);
    const double elapsed = NowMsPrecise() - started;
    if (!shown) return -1;
    PostMessageA(frame, WM_CLOSE, 0, 0);
    if (!editor.WaitExit(10000)) return -1;
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    // The first start in a fresh prefix also loads Wine's libraries from disk: not counted.
    if (!e2e::WriteConfig(e2e::ConfigText(Records(1))) || TimeOneStart() < 0) {
        std::fprintf(stderr, "editor_startup: the editor did not start\n");
        return 1;
    }
    std::printf("editor start-up under Wine, process start to frame shown (ms), %d runs each:\n",
                runs);
    for (int count : {20, 1000}) {
        if (!e2e::WriteConfig(e2e::ConfigText(Records(count)))) return 1;
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            const double ms = TimeOneStart();
            if (ms < 0) {
                std::fprintf(stderr, "editor_startup: the editor did not start\n");
                return 1;
            }
            times.push_back(ms);
        }
        std::vector<double> sorted = times;
        std::sort(sorted.begin(), sorted.end());
        std::printf("%5d records: median %7.1f  min %7.1f  max %7.1f   runs:", count,
                    sorted[sorted.size() / 2], sorted.front(), sorted.back());
        for (double ms : times) std::printf(" %.1f", ms);
        std::printf("\n");
    }
    e2e::RemoveConfig();
    return 0;
}
