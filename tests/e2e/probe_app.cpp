// A stand-in for the applications the launcher starts. Each start appends one
// line to the log named by the environment variable TRELLIS_PROBE_LOG (which
// the launcher passes on to it), or to probe.log beside the executable:
//
//   <tick ms>|<STARTUPINFO dwFlags>|<wShowWindow>|<own module path>|<command tail>
//
// It is a GUI program that never shows a window; it checks its queue once,
// after writing its line, so that WinExec's wait for input idle ends then
// rather than at process end.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// The command line without the program name, by the usual quoting rule.
std::string CommandTail(const char* line) {
    const char* p = line;
    while (*p == ' ' || *p == '\t') ++p;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

std::string ModulePath() {
    char path[MAX_PATH + 1];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    if (n == 0 || n >= sizeof path) return {};
    return std::string(path, n);
}

std::string LogPath(const std::string& module) {
    char buffer[MAX_PATH + 1];
    const DWORD n = GetEnvironmentVariableA("TRELLIS_PROBE_LOG", buffer, sizeof buffer);
    if (n > 0 && n < sizeof buffer) return std::string(buffer, n);
    const std::string::size_type slash = module.find_last_of('\\');
    return (slash == std::string::npos ? std::string() : module.substr(0, slash + 1)) + "probe.log";
}

// Several probes may start close together; a writer that finds the log busy
// tries again for a while instead of losing its line.
bool AppendLine(const std::string& path, const std::string& line) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(file);
            return ok && written == line.size();
        }
        Sleep(10);
    }
    return false;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::uint64_t tick = GetTickCount64();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);

    const std::string module = ModulePath();
    char head[64];
    std::snprintf(head, sizeof head, "%llu|%lu|%u|", static_cast<unsigned long long>(tick),
                  static_cast<unsigned long>(startup.dwFlags), static_cast<unsigned>(startup.wShowWindow));
    const std::string line = head + module + "|" + CommandTail(GetCommandLineA()) + "\r\n";
    const bool logged = AppendLine(LogPath(module), line);

    // Only now waiting for input: the launcher's WinExec returns once the
    // program it started is idle, so by then the line is in the log, and a
    // test that reads the log as soon as the launcher has ended misses none.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    return logged ? 0 : 1;
}
