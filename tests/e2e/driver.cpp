#include "tests/e2e/driver.h"

#include <shellapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <sstream>

namespace e2e {

namespace {

struct HandleCloser {
    void operator()(HANDLE h) const {
        if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string ParentDirectory(const std::string& path) {
    const std::string::size_type slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool MakeDirectories(const std::string& directory) {
    if (directory.empty() || directory.size() <= 3) return true;  // "C:" or "C:\"
    const DWORD attributes = GetFileAttributesA(directory.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!MakeDirectories(ParentDirectory(directory))) return false;
    return CreateDirectoryA(directory.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

std::vector<std::string> SplitFields(const std::string& line, char separator, std::size_t maxFields) {
    std::vector<std::string> fields;
    std::string::size_type start = 0;
    while (fields.size() + 1 < maxFields) {
        const std::string::size_type end = line.find(separator, start);
        if (end == std::string::npos) break;
        fields.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

struct EnumState {
    const WindowQuery* query;
    std::vector<HWND>* found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
    const EnumState& state = *reinterpret_cast<EnumState*>(param);
    const WindowQuery& q = *state.query;
    if (q.visibleOnly && !IsWindowVisible(window)) return TRUE;
    if (q.processId != 0) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != q.processId) return TRUE;
    }
    if (!q.className.empty() && WindowClass(window) != q.className) return TRUE;
    if (!q.title.empty() && WindowText(window) != q.title) return TRUE;
    state.found->push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

}  // namespace

DWORD ScaledMs(DWORD ms) {
    static const DWORD scale = [] {
        const char* value = std::getenv("E2E_TIME_SCALE");
        const long n = value ? std::strtol(value, nullptr, 10) : 1;
        return static_cast<DWORD>(n > 1 ? n : 1);
    }();
    return ms == INFINITE ? ms : ms * scale;
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
    const std::uint64_t deadline = NowMs() + ScaledMs(timeoutMs);
    for (;;) {
        if (condition()) return true;
        if (NowMs() >= deadline) return condition();
        Sleep(pollMs);
    }
}

std::uint64_t NowMs() { return GetTickCount64(); }

std::string PathFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return {};
    std::string path = value;
    if (path[0] == '/') {
        // Wine maps the Unix root to drive Z:.
        std::replace(path.begin(), path.end(), '/', '\\');
        path = "Z:" + path;
    }
    return path;
}

std::string TrellisbournePath() { return PathFromEnvironment("TRELLIS_EXE"); }
std::string ProbeAppPath() { return PathFromEnvironment("TRELLIS_PROBE_APP"); }

std::string WindowsDirectory() {
    char buffer[MAX_PATH + 1];
    const UINT n = GetWindowsDirectoryA(buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer) return "C:\\windows";
    return std::string(buffer, n);
}

std::string ConfigPath() { return WindowsDirectory() + "\\trellisbourne.ini"; }

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFileText(const std::string& path) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return {};
    std::string text;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
    return text;
}

bool WriteFileText(const std::string& path, const std::string& text) {
    if (!MakeDirectories(ParentDirectory(path))) return false;
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    return WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

bool DeleteFileIfPresent(const std::string& path) {
    return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool CopyFileTo(const std::string& from, const std::string& to) {
    return MakeDirectories(ParentDirectory(to)) && CopyFileA(from.c_str(), to.c_str(), FALSE);
}

std::string ConfigText(const std::vector<AppRecord>& records) {
    std::ostringstream out;
    const char* const banner[] = {
        "//****************************************", "//*                                      *",
        "//*       Trellisbourne - INI file       *", "//*          written by e2e tests        *",
        "//*                                      *", "//****************************************",
    };
    for (const char* line : banner) out << line << "\r\n";
    out << "\r\n";
    for (const AppRecord& r : records) {
        out << "\r\n"
            << "[" << r.path << "]\r\n"
            << "nCmdShow=" << r.nCmdShow << "\r\n"
            << "Delay=" << r.delay << "\r\n"
            << "DOWEnable=" << (r.dowEnable ? 1 : 0) << "\r\n"
            << "DOW=" << r.dow << "\r\n"
            << "DOMEnable=" << (r.domEnable ? 1 : 0) << "\r\n"
            << "DOM=" << r.dom << "\r\n"
            << "WorkWeekEnable=" << (r.workWeekEnable ? 1 : 0) << "\r\n"
            << "WorkWeek=" << r.workWeek << "\r\n";
    }
    return out.str();
}

bool WriteConfig(const std::string& text) { return WriteFileText(ConfigPath(), text); }
bool RemoveConfig() { return DeleteFileIfPresent(ConfigPath()); }

UtcDate UtcToday() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    return {now.wDayOfWeek, now.wDay};
}

AppRecord KeptByDayOfWeek(AppRecord record) {
    record.dowEnable = true;
    record.dow = static_cast<std::uint16_t>(UtcToday().dayOfWeek);
    return record;
}

AppRecord DroppedByDayOfWeek(AppRecord record) {
    record.dowEnable = true;
    record.dow = static_cast<std::uint16_t>((UtcToday().dayOfWeek + 3) % 7);
    return record;
}

AppRecord KeptByDayOfMonth(AppRecord record) {
    record.domEnable = true;
    record.dom = static_cast<std::uint16_t>(UtcToday().dayOfMonth);
    return record;
}

AppRecord DroppedByDayOfMonth(AppRecord record) {
    record.domEnable = true;
    record.dom = static_cast<std::uint16_t>(UtcToday().dayOfMonth % 28 + 1);
    return record;
}

namespace {
bool TodayIsWeekend() {
    const int day = UtcToday().dayOfWeek;
    return day == 0 || day == 6;
}
}  // namespace

// WorkWeek 1 keeps weekends; any other value keeps workdays.
AppRecord KeptByWorkWeek(AppRecord record) {
    record.workWeekEnable = true;
    record.workWeek = TodayIsWeekend() ? 1 : 2;
    return record;
}

AppRecord DroppedByWorkWeek(AppRecord record) {
    record.workWeekEnable = true;
    record.workWeek = TodayIsWeekend() ? 2 : 1;
    return record;
}

Process::Process(Process&& other) noexcept : handle_(other.handle_), id_(other.id_) {
    other.handle_ = nullptr;
    other.id_ = 0;
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Terminate();
        if (handle_) CloseHandle(handle_);
        handle_ = other.handle_;
        id_ = other.id_;
        other.handle_ = nullptr;
        other.id_ = 0;
    }
    return *this;
}

Process::~Process() {
    Terminate();
    if (handle_) CloseHandle(handle_);
}

bool Process::Running() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

bool Process::WaitExit(DWORD timeoutMs) const {
    return handle_ && WaitForSingleObject(handle_, ScaledMs(timeoutMs)) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (handle_) GetExitCodeProcess(handle_, &code);
    return code;
}

void Process::Terminate() {
    if (Running()) {
        TerminateProcess(handle_, 255);
        WaitForSingleObject(handle_, ScaledMs(5000));
    }
}

void Process::Release() {
    if (handle_) CloseHandle(handle_);
    handle_ = nullptr;
    id_ = 0;
}

Process StartProcess(const std::string& exe, const std::string& arguments, WORD showWindow) {
    std::string commandLine = "\"" + exe + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showWindow;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        std::fprintf(stderr, "CreateProcess(%s) failed: error %lu\n", exe.c_str(), GetLastError());
        return {};
    }
    CloseHandle(info.hThread);
    return Process(info.hProcess, info.dwProcessId);
}

Process OpenProcessById(DWORD id) {
    HANDLE handle = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_TERMINATE | SYNCHRONIZE,
                                FALSE, id);
    if (!handle) return {};
    return Process(handle, id);
}

std::vector<ProcessEntry> ListProcesses() {
    std::vector<ProcessEntry> entries;
    UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (snapshot.get() == INVALID_HANDLE_VALUE) return entries;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry))
        entries.push_back({entry.th32ProcessID, entry.th32ParentProcessID, entry.szExeFile});
    return entries;
}

std::vector<ProcessEntry> ProcessesNamed(const std::string& exeName) {
    std::vector<ProcessEntry> matches;
    const std::string wanted = Lower(exeName);
    for (const ProcessEntry& e : ListProcesses())
        if (Lower(e.exeName) == wanted) matches.push_back(e);
    return matches;
}

std::string ProcessCommandLine(DWORD id) {
    // Read from the process's own parameter block, as the system keeps it:
    // PEB -> RTL_USER_PROCESS_PARAMETERS -> CommandLine, in 64-bit layouts.
    using QueryFn = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    static const auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    if (!query) return {};
    UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
    if (!process) return {};
    PROCESS_BASIC_INFORMATION basic{};
    if (query(process.get(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return {};
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS parameters{};
    if (!ReadProcessMemory(process.get(), basic.PebBaseAddress, &peb, sizeof peb, nullptr) ||
        !ReadProcessMemory(process.get(), peb.ProcessParameters, &parameters, sizeof parameters, nullptr))
        return {};
    const int wideLength = parameters.CommandLine.Length / 2;
    if (wideLength == 0) return {};
    std::vector<wchar_t> wide(static_cast<std::size_t>(wideLength));
    if (!ReadProcessMemory(process.get(), parameters.CommandLine.Buffer, wide.data(), wide.size() * 2, nullptr))
        return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string line(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, &line[0], size, nullptr, nullptr);
    return line;
}

bool Is32BitProcess(DWORD id) {
    UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    BOOL wow64 = FALSE;
    return process && IsWow64Process(process.get(), &wow64) && wow64;
}

std::string CommandTail(const std::string& commandLine) {
    std::string::size_type i = commandLine.find_first_not_of(" \t");
    if (i == std::string::npos) return {};
    if (commandLine[i] == '"') {
        const std::string::size_type close = commandLine.find('"', i + 1);
        i = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        i = commandLine.find_first_of(" \t", i);
        if (i == std::string::npos) return {};
    }
    i = commandLine.find_first_not_of(" \t", i);
    return i == std::string::npos ? std::string() : commandLine.substr(i);
}

void TerminateProcessesNamed(const std::string& exeName) {
    for (const ProcessEntry& e : ProcessesNamed(exeName)) {
        if (e.id == GetCurrentProcessId()) continue;
        Process p = OpenProcessById(e.id);
        p.Terminate();
    }
}

std::vector<HWND> FindTopLevelWindows(const WindowQuery& query) {
    std::vector<HWND> found;
    EnumState state{&query, &found};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&state));
    return found;
}

HWND FindTopLevelWindow(const WindowQuery& query) {
    const std::vector<HWND> found = FindTopLevelWindows(query);
    return found.empty() ? nullptr : found.front();
}

HWND WaitForTopLevelWindow(const WindowQuery& query, DWORD timeoutMs) {
    HWND window = nullptr;
    WaitFor([&] { return (window = FindTopLevelWindow(query)) != nullptr; }, timeoutMs);
    return window;
}

std::string WindowClass(HWND window) {
    char name[256];
    const int n = GetClassNameA(window, name, sizeof name);
    return n > 0 ? std::string(name, static_cast<std::size_t>(n)) : std::string();
}

std::string WindowText(HWND window) {
    // WM_GETTEXT reaches controls of other processes too (GetWindowText does not
    // ask them); the timeout keeps a hung target from hanging the test.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, ScaledMs(2000),
                             &length)) {
        char title[512];
        const int n = GetWindowTextA(window, title, sizeof title);
        return n > 0 ? std::string(title, static_cast<std::size_t>(n)) : std::string();
    }
    std::vector<char> text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, ScaledMs(2000), &copied))
        return {};
    return std::string(text.data(), std::min<std::size_t>(copied, length));
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND FindMessageBox(const std::string& caption, DWORD processId) {
    WindowQuery query;
    query.className = "#32770";
    query.title = caption;
    query.processId = processId;
    return FindTopLevelWindow(query);
}

HWND WaitForMessageBox(const std::string& caption, DWORD processId, DWORD timeoutMs) {
    HWND box = nullptr;
    WaitFor([&] { return (box = FindMessageBox(caption, processId)) != nullptr; }, timeoutMs);
    return box;
}

std::string MessageBoxText(HWND box) {
    for (HWND child : ChildWindows(box)) {
        if (Lower(WindowClass(child)) != "static") continue;
        const std::string text = WindowText(child);
        if (!text.empty()) return text;
    }
    return {};
}

bool PressMessageBoxOk(HWND box, DWORD timeoutMs) {
    HWND ok = GetDlgItem(box, IDOK);
    if (!PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok))) return false;
    return WaitFor([&] { return !IsWindow(box); }, timeoutMs);
}

HWND FindLauncherWindow(DWORD processId) {
    WindowQuery query;
    query.className = kLauncherClass;
    query.title = kLauncherTitle;
    query.processId = processId;
    return FindTopLevelWindow(query);
}

HWND WaitForLauncherWindow(DWORD processId, DWORD timeoutMs) {
    HWND window = nullptr;
    WaitFor([&] { return (window = FindLauncherWindow(processId)) != nullptr; }, timeoutMs);
    return window;
}

bool PostCommand(HWND window, WORD commandId) {
    return PostMessageA(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

bool PostTrayNotification(HWND window, UINT mouseMessage) {
    return PostMessageA(window, kTrayCallbackMessage, kTrayIconId, static_cast<LPARAM>(mouseMessage));
}

bool WaitForShell(DWORD timeoutMs) {
    return WaitFor([] { return FindWindowA("Shell_TrayWnd", nullptr) != nullptr; }, timeoutMs);
}

bool TrayIconPresent(HWND owner, UINT id) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner;
    data.uID = id;
    data.uFlags = 0;  // change nothing: only ask whether the icon is known
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool RemoveTrayIcon(HWND owner, UINT id) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner;
    data.uID = id;
    return Shell_NotifyIconA(NIM_DELETE, &data) != FALSE;
}

bool SendTaskbarCreated(HWND window) {
    const UINT message = RegisterWindowMessageA("TaskbarCreated");
    DWORD_PTR ignored = 0;
    return message != 0 &&
           SendMessageTimeoutA(window, message, 0, 0, SMTO_NORMAL, ScaledMs(10000), &ignored) != 0;
}

int TrayIconWindowCount() {
    // Wine 8 draws the stand-alone tray in its X11 driver; later versions in
    // explorer. Either layout: a tray window with one child per icon.
    static const char* const trays[] = {"__winex11_standalone_tray", "Shell_TrayWnd"};
    static const char* const icons[] = {"__winex11_tray_icon", "__wine_tray_icon"};
    int count = 0;
    for (const char* trayClass : trays)
        for (HWND tray = FindWindowExA(nullptr, nullptr, trayClass, nullptr); tray;
             tray = FindWindowExA(nullptr, tray, trayClass, nullptr))
            for (HWND child : ChildWindows(tray)) {
                const std::string name = WindowClass(child);
                if (IsWindowVisible(child) && std::find(std::begin(icons), std::end(icons), name) != std::end(icons))
                    ++count;
            }
    return count;
}

std::string ProbeLogPath() { return WindowsDirectory() + "\\temp\\probe.log"; }

bool ResetProbeLog() {
    const std::string path = ProbeLogPath();
    return SetEnvironmentVariableA("TRELLIS_PROBE_LOG", path.c_str()) && WriteFileText(path, "");
}

bool InstallProbe(const std::string& windowsPath) {
    const std::string source = ProbeAppPath();
    return !source.empty() && CopyFileTo(source, windowsPath);
}

std::string ProbeCommand(const std::string& tag) {
    static const std::string installed = "C:\\e2e\\probe_app.exe";
    if (!FileExists(installed)) InstallProbe(installed);
    return installed + " " + tag;
}

std::vector<ProbeStart> ReadProbeLog() {
    std::vector<ProbeStart> starts;
    std::istringstream in(ReadFileText(ProbeLogPath()));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const std::vector<std::string> f = SplitFields(line, '|', 5);
        if (f.size() != 5) continue;
        ProbeStart s;
        s.tickMs = std::strtoull(f[0].c_str(), nullptr, 10);
        s.startupFlags = static_cast<std::uint32_t>(std::strtoul(f[1].c_str(), nullptr, 10));
        s.showWindow = static_cast<std::uint16_t>(std::strtoul(f[2].c_str(), nullptr, 10));
        s.module = f[3];
        s.tail = f[4];
        starts.push_back(s);
    }
    return starts;
}

std::vector<std::string> ProbeTags(const std::vector<ProbeStart>& starts) {
    std::vector<std::string> tags;
    for (const ProbeStart& s : starts) tags.push_back(s.tail);
    return tags;
}

}  // namespace e2e
