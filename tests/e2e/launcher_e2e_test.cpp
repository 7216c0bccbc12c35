// The launcher as a user meets it: Trellisbourne.exe started with an argument
// in a fresh Wine prefix, with probe_app.exe standing in for the applications
// it starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/e2e/driver.h"

namespace {

using e2e::AppRecord;

constexpr std::uint64_t kTickMs = 5000;
constexpr DWORD kWindowTimeoutMs = 20000;
constexpr DWORD kTrayTimeoutMs = 4000;  // well inside the first tick

// Times are judged against each other rather than against one clock started
// with the launcher: under load every start comes late, and the starts of one
// tick come one WinExec after another. The bounds still tell ticks apart.
//   - The starts of one tick lie within kSameTickSpreadMs of its first start.
//   - The first start of a later tick comes n ticks after the previous tick's
//     first start, at most kTickEarlyMs early and less than kTickLateMs late.
//   - The first tick's first start comes less than kTickLateMs after one tick
//     from when the tray icon was seen (the timer starts after the icon).
//   - Nothing starts before its tick could have come, counted from the moment
//     the launcher process was created.
constexpr std::int64_t kSameTickSpreadMs = kTickMs / 2;
constexpr std::int64_t kTickEarlyMs = 1000;
constexpr std::int64_t kTickLateMs = kTickMs / 2;

std::int64_t Since(std::uint64_t earlierMs, std::uint64_t laterMs) {
    return static_cast<std::int64_t>(laterMs) - static_cast<std::int64_t>(earlierMs);
}
std::int64_t Ticks(int count) {
    return static_cast<std::int64_t>(kTickMs) * count;
}

// A record of the probe tagged `tag`, kept today by its day-of-week rule.
AppRecord Probe(const std::string& tag, std::uint16_t delay = 0, std::int32_t nCmdShow = SW_SHOWNORMAL) {
    AppRecord record;
    record.path = e2e::ProbeCommand(tag);
    record.delay = delay;
    record.nCmdShow = nCmdShow;
    return e2e::KeptByDayOfWeek(record);
}

// A record with no calendar rule at all: never kept.
AppRecord ProbeWithoutRules(const std::string& tag) {
    AppRecord record;
    record.path = e2e::ProbeCommand(tag);
    return record;
}

AppRecord Without(AppRecord record) {
    record.dowEnable = false;
    return record;
}

const char kBlankDir[] = "C:\\Program Files\\Probe Dir";
const char kBlankPath[] = "C:\\Program Files\\Probe Dir\\probe app.exe";
// What an unquoted start of kBlankPath would run instead.
const char kBlankDecoy[] = "C:\\Program Files\\Probe.exe";

class LauncherTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::FileExists(e2e::TrellisbournePath())) << "TRELLIS_EXE: " << e2e::TrellisbournePath();
        ASSERT_TRUE(e2e::FileExists(e2e::ProbeAppPath())) << "TRELLIS_PROBE_APP: " << e2e::ProbeAppPath();
        ASSERT_TRUE(e2e::WaitForShell(30000)) << "Wine's tray window never appeared";
        ASSERT_TRUE(e2e::RemoveConfig());
        ASSERT_TRUE(e2e::ResetProbeLog());
    }

    void TearDown() override { e2e::TerminateProcessesNamed("Trellisbourne.exe"); }

    // Starts the launcher and waits for its window.
    void StartLauncher() {
        startedMs_ = e2e::NowMs();
        launcher_ = e2e::StartProcess(e2e::TrellisbournePath(), "run");
        ASSERT_TRUE(launcher_.Valid()) << "cannot start " << e2e::TrellisbournePath();
        WaitForWindow();
    }

    void WaitForWindow() {
        window_ = e2e::WaitForLauncherWindow(launcher_.Id(), kWindowTimeoutMs);
        ASSERT_NE(window_, nullptr) << "the launcher window did not appear";
    }

    // Waits for the tray icon; iconSeenMs_ is when it was first seen. The
    // launcher starts its timer right after adding the icon, so the first
    // tick comes no sooner than one tick after the icon appeared.
    bool WaitForTrayIcon() {
        const bool present = e2e::WaitFor([&] { return e2e::TrayIconPresent(window_); }, kTrayTimeoutMs);
        iconSeenMs_ = e2e::NowMs();
        return present;
    }

    e2e::Process launcher_;
    HWND window_ = nullptr;
    std::uint64_t startedMs_ = 0;
    std::uint64_t iconSeenMs_ = 0;
};

struct ExpectedStart {
    std::string tag;  // the probe's command tail
    int tick;         // 1 = 5 s after start, 2 = 10 s, ...
    std::uint16_t show;
    std::string module = {};  // the executable that ran, when it matters
};

struct ScheduleCase {
    const char* name;
    std::function<std::vector<AppRecord>()> records;  // built when run: rules depend on today
    std::vector<ExpectedStart> expected;
};

std::ostream& operator<<(std::ostream& os, const ScheduleCase& c) { return os << c.name; }

const ScheduleCase kScheduleCases[] = {
    {"DelaysFallDueOnTicksInListOrder",
     [] { return std::vector<AppRecord>{Probe("third", 5), Probe("first", 0), Probe("second", 4)}; },
     {{"first", 1, SW_SHOWNORMAL}, {"second", 1, SW_SHOWNORMAL}, {"third", 2, SW_SHOWNORMAL}}},
    {"ShowCommandReachesTheProgram",
     [] {
         return std::vector<AppRecord>{Probe("hidden", 0, SW_HIDE), Probe("minimized", 0, SW_SHOWMINIMIZED),
                                       Probe("maximized", 0, SW_SHOWMAXIMIZED),
                                       Probe("noactivate", 0, SW_SHOWMINNOACTIVE)};
     },
     {{"hidden", 1, SW_HIDE},
      {"minimized", 1, SW_SHOWMINIMIZED},
      {"maximized", 1, SW_SHOWMAXIMIZED},
      {"noactivate", 1, SW_SHOWMINNOACTIVE}}},
    {"CalendarRulesDropRecordsForToday",
     [] {
         return std::vector<AppRecord>{
             e2e::DroppedByDayOfWeek(Without(Probe("other-weekday"))),
             e2e::DroppedByDayOfMonth(Without(Probe("other-month-day"))),
             e2e::DroppedByWorkWeek(Without(Probe("other-week-half"))),
             ProbeWithoutRules("no-rule"),
             Probe("this-weekday"),
             e2e::KeptByDayOfMonth(Without(Probe("this-month-day"))),
             e2e::KeptByWorkWeek(Without(Probe("this-week-half"))),
             e2e::DroppedByWorkWeek(Probe("this-weekday-other-half")),
         };
     },
     {{"this-weekday", 1, SW_SHOWNORMAL},
      {"this-month-day", 1, SW_SHOWNORMAL},
      {"this-week-half", 1, SW_SHOWNORMAL},
      {"this-weekday-other-half", 1, SW_SHOWNORMAL}}},
    {"PathWithBlankStartsThatFile",
     [] {
         AppRecord blank;
         blank.path = kBlankPath;
         return std::vector<AppRecord>{e2e::KeptByDayOfWeek(blank)};
     },
     {{"", 1, SW_SHOWNORMAL, kBlankPath}}},
    {"NothingConfigured", [] { return std::vector<AppRecord>{}; }, {}},
};

class LauncherSchedule : public LauncherTest, public testing::WithParamInterface<ScheduleCase> {};

TEST_P(LauncherSchedule, StartsDueRecordsThenEnds) {
    const ScheduleCase& c = GetParam();
    ASSERT_TRUE(e2e::InstallProbe(kBlankPath));
    ASSERT_TRUE(e2e::InstallProbe(kBlankDecoy));
    const std::vector<AppRecord> records = c.records();
    if (!records.empty()) {
        ASSERT_TRUE(e2e::WriteConfig(e2e::ConfigText(records)));
    }

    ASSERT_NO_FATAL_FAILURE(StartLauncher());
    EXPECT_TRUE(WaitForTrayIcon()) << "no tray icon while the launcher waits";

    const int lastTick = c.expected.empty() ? 1 : c.expected.back().tick;
    ASSERT_TRUE(launcher_.WaitExit(static_cast<DWORD>(kTickMs * lastTick + 30000)))
        << "the launcher is still running after its last start";
    const std::uint64_t exitedMs = e2e::NowMs();
    EXPECT_EQ(launcher_.ExitCode(), 0u);
    EXPECT_GE(exitedMs, startedMs_ + kTickMs) << "it ended before its first tick";

    const std::vector<e2e::ProbeStart> starts = e2e::ReadProbeLog();
    std::vector<std::string> expectedTags;
    for (const ExpectedStart& e : c.expected) expectedTags.push_back(e.tag);
    // Also the order within a tick: list order.
    ASSERT_EQ(e2e::ProbeTags(starts), expectedTags);

    // The first start of the tick being checked, and that tick.
    std::uint64_t tickFirstMs = iconSeenMs_;
    int tickNumber = 0;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const ExpectedStart& want = c.expected[i];
        const std::uint64_t at = starts[i].tickMs;
        SCOPED_TRACE("start of \"" + want.tag + "\"");
        EXPECT_GE(at, startedMs_ + kTickMs * static_cast<std::uint64_t>(want.tick))
            << "started before its tick could have come";
        if (want.tick == tickNumber) {
            EXPECT_LE(Since(tickFirstMs, at), kSameTickSpreadMs)
                << "too long after the first start of its tick";
        } else {
            const std::int64_t gap = Since(tickFirstMs, at);
            const std::int64_t due = Ticks(want.tick - tickNumber);
            // Before the first tick only the bound from the process start
            // holds: the icon may be seen well after it was added.
            if (tickNumber != 0) {
                EXPECT_GE(gap, due - kTickEarlyMs) << "too soon after tick " << tickNumber;
            }
            EXPECT_LT(gap, due + kTickLateMs) << "a tick late (counting from tick " << tickNumber << ")";
            tickFirstMs = at;
            tickNumber = want.tick;
        }
        EXPECT_TRUE(starts[i].startupFlags & STARTF_USESHOWWINDOW);
        EXPECT_EQ(starts[i].showWindow, want.show);
        if (!want.module.empty()) {
            EXPECT_EQ(starts[i].module, want.module);
        }
    }
    // It ends on the tick of its last start, before another tick could come.
    if (starts.empty()) {
        EXPECT_LT(Since(iconSeenMs_, exitedMs), Ticks(1) + kTickLateMs)
            << "it should end on its first tick";
    } else {
        EXPECT_GE(exitedMs, starts.back().tickMs);
        EXPECT_LT(Since(tickFirstMs, exitedMs), Ticks(1) - kTickEarlyMs)
            << "it should end on the tick of its last start";
    }
}

// The session that runs the calendar case puts the local date a day away from
// the UTC one (tools/e2e-session.sh, E2E_LOCAL_DATE): a launcher that read the
// local date would drop the records kept for today.
TEST(LocalClock, IsADayAwayFromUtc) {
    SYSTEMTIME utc;
    SYSTEMTIME local;
    GetSystemTime(&utc);
    GetLocalTime(&local);
    EXPECT_NE(local.wDay, utc.wDay) << "local hour " << local.wHour << ", UTC hour " << utc.wHour;
    EXPECT_NE(local.wDayOfWeek, utc.wDayOfWeek);
}

INSTANTIATE_TEST_SUITE_P(Cases, LauncherSchedule, testing::ValuesIn(kScheduleCases),
                         [](const testing::TestParamInfo<ScheduleCase>& info) { return info.param.name; });

using LauncherTray = LauncherTest;

// The ways a waiting launcher is ended early: the tray's stop command, and a
// close request as tools that end programs politely send it (taskkill
// without /f, an installer's restart manager).
struct EndCase {
    const char* name;
    std::function<bool(HWND window, DWORD processId)> act;
};

std::ostream& operator<<(std::ostream& os, const EndCase& c) { return os << c.name; }

bool PostClose(HWND window) { return PostMessageA(window, WM_CLOSE, 0, 0) != FALSE; }

// Wine's taskkill, run to its end.
bool Taskkill(DWORD processId) {
    e2e::Process taskkill =
        e2e::StartProcess(e2e::WindowsDirectory() + "\\system32\\taskkill.exe",
                          "/pid " + std::to_string(processId));
    return taskkill.Valid() && taskkill.WaitExit(20000) && taskkill.ExitCode() == 0;
}

const EndCase kEarlyEnds[] = {
    {"StopCommand", [](HWND window, DWORD) { return e2e::PostCommand(window, IDM_STOP); }},
    {"CloseRequest", [](HWND window, DWORD) { return PostClose(window); }},
    {"Taskkill", [](HWND, DWORD processId) { return Taskkill(processId); }},
};

class LauncherEndsEarly : public LauncherTest, public testing::WithParamInterface<EndCase> {};

TEST_P(LauncherEndsEarly, AtOnceWithoutStartingAndWithoutIcon) {
    ASSERT_TRUE(e2e::WriteConfig(e2e::ConfigText({Probe("due-first-tick", 0), Probe("due-later", 30)})));
    ASSERT_NO_FATAL_FAILURE(StartLauncher());
    ASSERT_TRUE(e2e::WaitFor([&] { return e2e::TrayIconPresent(window_); }, kTrayTimeoutMs));

    ASSERT_TRUE(GetParam().act(window_, launcher_.Id()));
    // Had it ignored the request, its first tick would have started a record.
    ASSERT_TRUE(launcher_.WaitExit(20000)) << "the launcher is still running";
    EXPECT_EQ(launcher_.ExitCode(), 0u);
    EXPECT_TRUE(e2e::ReadProbeLog().empty());
    EXPECT_TRUE(e2e::WaitFor([] { return e2e::TrayIconWindowCount() == 0; }, kTrayTimeoutMs))
        << "its icon is still in the tray";
}

INSTANTIATE_TEST_SUITE_P(Ways, LauncherEndsEarly, testing::ValuesIn(kEarlyEnds),
                         [](const testing::TestParamInfo<EndCase>& info) { return info.param.name; });

// The two ways the tray opens the editor: a double-click on the icon and the
// menu's "Trellisbourne Configuration".
struct OpenEditorCase {
    const char* name;
    std::function<bool(HWND)> act;
};

std::ostream& operator<<(std::ostream& os, const OpenEditorCase& c) { return os << c.name; }

const OpenEditorCase kOpenEditorCases[] = {
    {"DoubleClick", [](HWND window) { return e2e::PostTrayNotification(window, WM_LBUTTONDBLCLK); }},
    {"ConfigureCommand", [](HWND window) { return e2e::PostCommand(window, IDM_CONFIGURE); }},
};

class LauncherOpensEditor : public LauncherTest, public testing::WithParamInterface<OpenEditorCase> {};

TEST_P(LauncherOpensEditor, AndKeepsRunning) {
    ASSERT_TRUE(e2e::WriteConfig(e2e::ConfigText({Probe("keeps-it-waiting", 60)})));
    ASSERT_NO_FATAL_FAILURE(StartLauncher());
    ASSERT_TRUE(WaitForTrayIcon());

    ASSERT_TRUE(GetParam().act(window_));
    e2e::ProcessEntry started{};
    ASSERT_TRUE(e2e::WaitFor(
        [&] {
            for (const e2e::ProcessEntry& p : e2e::ProcessesNamed("Trellisbourne.exe"))
                if (p.id != launcher_.Id()) started = p;
            return started.id != 0;
        },
        30000))
        << "no second Trellisbourne.exe process";
    const DWORD editorId = started.id;
    e2e::Process editor = e2e::OpenProcessById(editorId);
    ASSERT_TRUE(editor.Valid());
    EXPECT_EQ(started.parentId, launcher_.Id());
    // The sessions of the 64-bit program check the command line; Wine keeps
    // none readable from here for a 32-bit process.
    if (!e2e::Is32BitProcess(editorId)) {
        // A process just created may not have its parameter block yet.
        std::string commandLine;
        EXPECT_TRUE(e2e::WaitFor(
            [&] { return !(commandLine = e2e::ProcessCommandLine(editorId)).empty(); }, 10000))
            << "the editor's command line cannot be read";
        EXPECT_NE(commandLine.find("Trellisbourne.exe"), std::string::npos)
            << "command line: " << commandLine;
        EXPECT_EQ(e2e::CommandTail(commandLine), "") << "command line: " << commandLine;
    }

    e2e::WindowQuery editorWindow;
    editorWindow.title = e2e::kEditorTitle;
    editorWindow.processId = editorId;
    editorWindow.visibleOnly = true;
    EXPECT_NE(e2e::WaitForTopLevelWindow(editorWindow, 30000), nullptr) << "the editor window did not appear";

    EXPECT_TRUE(launcher_.Running());
    EXPECT_NE(e2e::FindLauncherWindow(launcher_.Id()), nullptr);
    EXPECT_EQ(e2e::ProcessesNamed("Trellisbourne.exe").size(), 2u) << "one request, one editor";
    EXPECT_TRUE(e2e::TrayIconPresent(window_));

    // Asked again while that editor is open (and minimised), the tray brings it
    // back instead of opening a second one.
    const HWND frame = e2e::FindTopLevelWindow(editorWindow);
    ASSERT_NE(frame, nullptr);
    ShowWindow(frame, SW_MINIMIZE);
    ASSERT_TRUE(e2e::WaitFor([&] { return IsIconic(frame) != FALSE; }, kTrayTimeoutMs));
    ASSERT_TRUE(GetParam().act(window_));
    EXPECT_TRUE(e2e::WaitFor([&] { return !IsIconic(frame); }, 30000)) << "the editor stayed minimised";
    EXPECT_TRUE(e2e::WaitFor([] { return e2e::ProcessesNamed("Trellisbourne.exe").size() == 2u; }, 30000))
        << "a second editor stayed";
    EXPECT_TRUE(editor.Running());
    e2e::WindowQuery anyEditor;
    anyEditor.title = e2e::kEditorTitle;
    anyEditor.visibleOnly = true;
    EXPECT_EQ(e2e::FindTopLevelWindows(anyEditor).size(), 1u);

    ASSERT_TRUE(e2e::PostCommand(window_, IDM_STOP));
    ASSERT_TRUE(launcher_.WaitExit(20000));
    EXPECT_EQ(launcher_.ExitCode(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Ways, LauncherOpensEditor, testing::ValuesIn(kOpenEditorCases),
                         [](const testing::TestParamInfo<OpenEditorCase>& info) { return info.param.name; });

// When the shell restarts, its icons are gone and it tells every top-level
// window that the taskbar is back; the launcher puts its icon back then.
TEST_F(LauncherTray, IconComesBackWhenTheTaskbarIsRecreated) {
    ASSERT_TRUE(e2e::WriteConfig(e2e::ConfigText({Probe("keeps-it-waiting", 60)})));
    ASSERT_NO_FATAL_FAILURE(StartLauncher());
    ASSERT_TRUE(WaitForTrayIcon());

    ASSERT_TRUE(e2e::RemoveTrayIcon(window_));
    ASSERT_FALSE(e2e::TrayIconPresent(window_)) << "the icon could not be taken away";
    ASSERT_TRUE(e2e::SendTaskbarCreated(window_));
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::TrayIconPresent(window_); }, kTrayTimeoutMs))
        << "the icon did not come back";
    EXPECT_TRUE(launcher_.Running());

    // The icon added anew still serves: stopping from it ends the launcher.
    ASSERT_TRUE(e2e::PostCommand(window_, IDM_STOP));
    ASSERT_TRUE(launcher_.WaitExit(20000));
    EXPECT_EQ(launcher_.ExitCode(), 0u);
}

using LauncherConfigErrors = LauncherTest;

TEST_F(LauncherConfigErrors, UnrecognisedLineIsReportedBeforeTheTrayIcon) {
    const std::string before = e2e::ConfigText({}) + "\r\n[" + e2e::ProbeCommand("after-error") + "]\r\n";
    const std::string rest = "nCmdShow=1\r\nDelay=0\r\nDOWEnable=1\r\nDOW=" +
                             std::to_string(e2e::UtcToday().dayOfWeek) + "\r\n";
    const long badLine = static_cast<long>(std::count(before.begin(), before.end(), '\n')) + 1;
    ASSERT_TRUE(e2e::WriteConfig(before + " Delay=0\r\n" + rest));

    startedMs_ = e2e::NowMs();
    launcher_ = e2e::StartProcess(e2e::TrellisbournePath(), "run");
    ASSERT_TRUE(launcher_.Valid());
    const HWND box = e2e::WaitForMessageBox("ParsingError", launcher_.Id(), kWindowTimeoutMs);
    ASSERT_NE(box, nullptr) << "no ParsingError box";
    EXPECT_EQ(e2e::MessageBoxText(box), "\nSyntax Error at line " + std::to_string(badLine) + "\n");
    EXPECT_EQ(e2e::FindLauncherWindow(launcher_.Id()), nullptr);
    EXPECT_EQ(e2e::TrayIconWindowCount(), 0) << "the tray icon is there while the box is up";

    ASSERT_TRUE(e2e::PressMessageBoxOk(box));
    ASSERT_NO_FATAL_FAILURE(WaitForWindow());
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::TrayIconPresent(window_); }, kTrayTimeoutMs));
    EXPECT_EQ(e2e::TrayIconWindowCount(), 1);

    // Loading went on past the bad line: its record still starts.
    ASSERT_TRUE(launcher_.WaitExit(30000));
    EXPECT_EQ(launcher_.ExitCode(), 0u);
    EXPECT_EQ(e2e::ProbeTags(e2e::ReadProbeLog()), std::vector<std::string>{"after-error"});
}

// One launcher per log-on session: a second one, from a Startup shortcut and a
// Run value both present say, leaves the work to the first.
using LauncherSession = LauncherTest;

TEST_F(LauncherSession, SecondLauncherEndsAtOnceAndTheFirstGoesOn) {
    ASSERT_TRUE(e2e::WriteConfig(e2e::ConfigText({Probe("first-tick", 0), Probe("second-tick", 5)})));
    ASSERT_NO_FATAL_FAILURE(StartLauncher());
    ASSERT_TRUE(WaitForTrayIcon());
    // The first has read its list. A bad line now would be reported by a second
    // launcher that read the file before it looked for the first.
    ASSERT_TRUE(e2e::WriteConfig(e2e::ConfigText({Probe("first-tick", 0)}) + " Delay=0\r\n"));

    e2e::Process second = e2e::StartProcess(e2e::TrellisbournePath(), "run");
    ASSERT_TRUE(second.Valid());
    ASSERT_TRUE(second.WaitExit(kWindowTimeoutMs)) << "the second launcher is still running";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_EQ(e2e::FindMessageBox("ParsingError"), nullptr);
    EXPECT_EQ(e2e::TrayIconWindowCount(), 1);

    ASSERT_TRUE(launcher_.WaitExit(static_cast<DWORD>(kTickMs * 2 + 30000)));
    EXPECT_EQ(launcher_.ExitCode(), 0u);
    EXPECT_EQ(e2e::ProbeTags(e2e::ReadProbeLog()), (std::vector<std::string>{"first-tick", "second-tick"}))
        << "each program is started once, by the first launcher";
}

// However the first launcher ends, the next one runs as usual.
const EndCase kEnds[] = {
    kEarlyEnds[0],  // the stop command
    kEarlyEnds[1],  // a close request
    {"LastTick", [](HWND, DWORD) { return true; }},
};

class LauncherAfterAnother : public LauncherTest, public testing::WithParamInterface<EndCase> {};

TEST_P(LauncherAfterAnother, RunsOnceTheFirstHasEnded) {
    ASSERT_TRUE(e2e::WriteConfig(e2e::ConfigText({Probe("earlier", 0)})));
    ASSERT_NO_FATAL_FAILURE(StartLauncher());
    ASSERT_TRUE(WaitForTrayIcon());
    ASSERT_TRUE(GetParam().act(window_, launcher_.Id()));
    ASSERT_TRUE(launcher_.WaitExit(kTickMs + 30000));
    ASSERT_TRUE(e2e::ResetProbeLog());

    ASSERT_TRUE(e2e::WriteConfig(e2e::ConfigText({Probe("later", 0)})));
    ASSERT_NO_FATAL_FAILURE(StartLauncher());
    EXPECT_TRUE(WaitForTrayIcon());
    ASSERT_TRUE(launcher_.WaitExit(kTickMs + 30000));
    EXPECT_EQ(launcher_.ExitCode(), 0u);
    EXPECT_EQ(e2e::ProbeTags(e2e::ReadProbeLog()), std::vector<std::string>{"later"});
}

INSTANTIATE_TEST_SUITE_P(Ways, LauncherAfterAnother, testing::ValuesIn(kEnds),
                         [](const testing::TestParamInfo<EndCase>& info) { return info.param.name; });

}  // namespace
