// Test driver library for end-to-end tests of Trellisbourne.exe under Wine.
//
// A driver program is a console GoogleTest program that runs inside its own
// Wine prefix and X display (tools/e2e-session.sh makes both and removes them).
// It sets the scene (configuration file, helper programs), starts
// Trellisbourne.exe as a real process, and observes it only from outside:
// its windows, message boxes, tray icon, child processes and exit code.
//
// Locations come from the environment (ctest sets them; Unix paths are
// accepted and mapped to Wine's Z: drive):
//   TRELLIS_EXE        Trellisbourne.exe under test
//   TRELLIS_PROBE_APP  probe_app.exe (see probe_app.cpp)
//
//   E2E_TIME_SCALE     factor for every timeout (default 1): the 32-bit
//                      program runs under emulation and is slower
//
// Waiting: never sleep for a fixed time and then assert. Use WaitFor() with a
// condition and a generous timeout; it polls every few milliseconds and
// returns as soon as the condition holds. Timeouts given to the driver are
// scaled by E2E_TIME_SCALE; bounds on the program's own timing are not.
//
// A new driver program (an editor test, say) takes three lines in
// tests/e2e/CMakeLists.txt and one or more sessions:
//   add_executable(editor_e2e editor_e2e_test.cpp e2e_main.cpp)
//   target_link_libraries(editor_e2e PRIVATE trellis_e2e_driver ${TRELLIS_GTEST_LIBS})
//   target_link_options(editor_e2e PRIVATE -mconsole)
//   add_dependencies(editor_e2e Trellisbourne)
//   trellis_add_e2e_test(e2e_editor editor_e2e "EditorSuite.*")
// Every test of one session shares its prefix: start each test from a known
// state (RemoveConfig, ResetProbeLog) and end the processes it started
// (Process does that when it goes out of scope; TerminateProcessesNamed too).
// The editor is Trellisbourne.exe started with no tail: StartProcess(path, "").
//
// Typical use:
//   e2e::WriteConfig(e2e::ConfigText({{e2e::ProbeCommand("first"), 1, 0}}));
//   e2e::Process launcher = e2e::StartProcess(e2e::TrellisbournePath(), "run");
//   HWND window = e2e::WaitForLauncherWindow(launcher.Id(), 10000);
//   ASSERT_TRUE(e2e::WaitFor([&] { return e2e::TrayIconPresent(window, 1); }, 5000));
//   ASSERT_TRUE(launcher.WaitExit(20000));
//   EXPECT_EQ(launcher.ExitCode(), 0u);
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

// Waiting

// `ms` multiplied by E2E_TIME_SCALE: every timeout the driver takes goes
// through it, so a test passes plain figures.
DWORD ScaledMs(DWORD ms);

// Polls `condition` every `pollMs` until it holds (true) or `timeoutMs` has
// passed (false). The condition is always evaluated at least once, and once
// more after the deadline, so a slow machine never fails on the last poll.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs = 20);

// Milliseconds since system start; the same clock in every process, so it
// compares with the times probe_app writes.
std::uint64_t NowMs();

// Paths and files

// The value of an environment variable as a Windows path ("/a/b" becomes
// "Z:\a\b"); empty when unset.
std::string PathFromEnvironment(const char* name);
std::string TrellisbournePath();  // TRELLIS_EXE
std::string ProbeAppPath();       // TRELLIS_PROBE_APP

std::string WindowsDirectory();  // GetWindowsDirectoryA, e.g. "C:\windows"
std::string ConfigPath();        // <Windows directory>\trellisbourne.ini

bool FileExists(const std::string& path);
std::string ReadFileText(const std::string& path);  // empty if missing
bool WriteFileText(const std::string& path, const std::string& text);
bool DeleteFileIfPresent(const std::string& path);
// Copies a file, creating the destination's directories first.
bool CopyFileTo(const std::string& from, const std::string& to);

// Configuration file

// One configured application, in the file's own terms.
struct AppRecord {
    std::string path;
    std::int32_t nCmdShow = SW_SHOWNORMAL;
    std::uint16_t delay = 0;
    bool dowEnable = false;
    std::uint16_t dow = 0;
    bool domEnable = false;
    std::uint16_t dom = 0;
    bool workWeekEnable = false;
    std::uint16_t workWeek = 0;
};

// The configuration text as the program itself writes it: a six-line comment
// banner, an empty line, then one section per record.
std::string ConfigText(const std::vector<AppRecord>& records);
// Writes the configuration file verbatim (any text, valid or not).
bool WriteConfig(const std::string& text);
bool RemoveConfig();

// Today's UTC date, which decides the calendar rules.
struct UtcDate {
    int dayOfWeek;   // 0 = Sunday ... 6 = Saturday
    int dayOfMonth;  // 1 ... 31
};
UtcDate UtcToday();
// Rules that keep a record today or drop it. Built from UtcToday(): a test
// that runs across midnight UTC can see the day change under it, so keep
// such tests short.
AppRecord KeptByDayOfWeek(AppRecord record);     // DOW = today
AppRecord DroppedByDayOfWeek(AppRecord record);  // DOW = another day
AppRecord KeptByDayOfMonth(AppRecord record);
AppRecord DroppedByDayOfMonth(AppRecord record);
AppRecord KeptByWorkWeek(AppRecord record);      // the half of the week today is in
AppRecord DroppedByWorkWeek(AppRecord record);   // the other half

// Processes

// An owned child process. The destructor ends it if it still runs, so a
// failing test leaves nothing behind for the next one.
class Process {
public:
    Process() = default;
    Process(HANDLE process, DWORD id) : handle_(process), id_(id) {}
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    bool Valid() const { return handle_ != nullptr; }
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return handle_; }
    bool Running() const;
    bool WaitExit(DWORD timeoutMs) const;  // true once the process has ended
    DWORD ExitCode() const;                // STILL_ACTIVE while running
    void Terminate();
    // Lets the process run on after this object is gone: only the handle is closed.
    void Release();

private:
    HANDLE handle_ = nullptr;
    DWORD id_ = 0;
};

// Starts `exe` with `arguments` as its command tail (the executable name is
// quoted in front). An empty tail gives a command line of the quoted name
// only. Returns an invalid Process on failure.
Process StartProcess(const std::string& exe, const std::string& arguments,
                     WORD showWindow = SW_SHOWNORMAL);
// Takes ownership of a process that something else started.
Process OpenProcessById(DWORD id);

struct ProcessEntry {
    DWORD id;
    DWORD parentId;
    std::string exeName;  // file name only, as the snapshot reports it
};
std::vector<ProcessEntry> ListProcesses();
std::vector<ProcessEntry> ProcessesNamed(const std::string& exeName);  // case-insensitive
// The full command line of another 64-bit process; empty when it cannot be
// read (yet: a process just created may not have set it up). Wine keeps
// none that a 64-bit process can read for a 32-bit one.
std::string ProcessCommandLine(DWORD id);
bool Is32BitProcess(DWORD id);
// The command line without the program name (quoted or not), and without the
// blanks that follow it.
std::string CommandTail(const std::string& commandLine);
// Ends every process with that executable name (tidying up after a test).
void TerminateProcessesNamed(const std::string& exeName);

// Windows

// Top-level windows matching every criterion that is set.
struct WindowQuery {
    std::string className;  // exact, empty = any
    std::string title;      // exact, empty = any
    DWORD processId = 0;    // 0 = any
    bool visibleOnly = false;
};
std::vector<HWND> FindTopLevelWindows(const WindowQuery& query);
HWND FindTopLevelWindow(const WindowQuery& query);  // first match or nullptr
HWND WaitForTopLevelWindow(const WindowQuery& query, DWORD timeoutMs);
std::string WindowClass(HWND window);
std::string WindowText(HWND window);  // works across processes
std::vector<HWND> ChildWindows(HWND parent);

// Message boxes

// A message box is a top-level dialog (class "#32770") with the caption as
// its title; processId 0 accepts any process.
HWND FindMessageBox(const std::string& caption, DWORD processId = 0);
HWND WaitForMessageBox(const std::string& caption, DWORD processId, DWORD timeoutMs);
// The message text: the one static control of the box that has text.
std::string MessageBoxText(HWND box);
// Presses OK (as the user would with the button) and waits for the box to go.
bool PressMessageBoxOk(HWND box, DWORD timeoutMs = 5000);

// The launcher

constexpr const char* kLauncherClass = "TrellisbourneClass";
constexpr const char* kLauncherTitle = "Dostrel Trellisbourne";
constexpr const char* kEditorTitle = "Trellisbourne";
constexpr UINT kTrayCallbackMessage = WM_USER;
constexpr UINT kTrayIconId = 1;

// The launcher's hidden window of process `processId` (0 = any).
HWND FindLauncherWindow(DWORD processId);
HWND WaitForLauncherWindow(DWORD processId, DWORD timeoutMs);
// Posts WM_COMMAND with `commandId` (a menu item such as IDM_STOP).
bool PostCommand(HWND window, WORD commandId);
// Posts the tray icon's callback message as the shell does: lParam is the
// mouse message (WM_LBUTTONDBLCLK, WM_RBUTTONUP, ...).
bool PostTrayNotification(HWND window, UINT mouseMessage);

// Tray (Wine's explorer)

// Waits until Wine's explorer has its tray window, so that Shell_NotifyIcon
// can succeed. Call before starting a program that adds a tray icon.
bool WaitForShell(DWORD timeoutMs);
// Whether the shell holds an icon for (owner, id). Asks the shell itself: a
// NIM_MODIFY that changes nothing succeeds only for an icon it knows.
bool TrayIconPresent(HWND owner, UINT id = kTrayIconId);
// Removes the icon (owner, id) from the shell as its owner would, as happens
// to every icon when the taskbar is re-created.
bool RemoveTrayIcon(HWND owner, UINT id = kTrayIconId);
// Tells `window` that the taskbar has been (re)created, as the shell does with
// its registered "TaskbarCreated" message; handled when the call returns.
bool SendTaskbarCreated(HWND window);
// The icons Wine's stand-alone tray shows, whoever owns them: visible child
// windows of its tray window ("Wine System Tray").
int TrayIconWindowCount();

// Probe program

// Where probe_app.exe writes (through TRELLIS_PROBE_LOG, set in this process
// and inherited by the launcher and everything it starts).
std::string ProbeLogPath();
// Sets TRELLIS_PROBE_LOG and empties the log.
bool ResetProbeLog();
// Copies probe_app.exe to `windowsPath` (directories are created).
bool InstallProbe(const std::string& windowsPath);
// The probe's standard place, C:\e2e\probe_app.exe, installed on first use;
// the command line that runs it with `tag` as its argument.
std::string ProbeCommand(const std::string& tag);

struct ProbeStart {
    std::uint64_t tickMs = 0;    // NowMs() when it started
    std::uint32_t startupFlags = 0;  // STARTUPINFO dwFlags
    std::uint16_t showWindow = 0;    // STARTUPINFO wShowWindow
    std::string module;              // its own executable path
    std::string tail;                // its command tail (the tag)
};
std::vector<ProbeStart> ReadProbeLog();
// Tags of the probe starts, in start order.
std::vector<std::string> ProbeTags(const std::vector<ProbeStart>& starts);

}  // namespace e2e
