// StopLaunchers.exe: run by the installer before it removes or replaces the
// program. A launcher waiting in the tray keeps Trellisbourne.exe open, so its
// file could not be removed; this asks every launcher started from this
// folder to stop, with the tray menu's own Stop command, and waits until they
// have ended. Exit code 0 when none is left, 1 when one still runs.
#include <windows.h>

#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace {

constexpr char kLauncherClass[] = "TrellisbourneClass";
constexpr char kLauncherTitle[] = "Dostrel Trellisbourne";
constexpr DWORD kWaitMs = 10000;

struct Handle {
    HANDLE value;
    explicit Handle(HANDLE h) : value(h) {}
    ~Handle() {
        if (value) CloseHandle(value);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
};

std::string Folder(const std::string& path) {
    const std::string::size_type slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string OwnFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    return Folder(path);
}

std::string ImageFolder(HANDLE process) {
    char path[MAX_PATH];
    DWORD length = MAX_PATH;
    if (!QueryFullProcessImageNameA(process, 0, path, &length)) return std::string();
    return Folder(std::string(path, length));
}

struct Launcher {
    HWND window;
    DWORD processId;
};

BOOL CALLBACK CollectLauncher(HWND window, LPARAM param) {
    char name[64];
    if (GetClassNameA(window, name, sizeof name) && lstrcmpA(name, kLauncherClass) == 0 &&
        GetWindowTextA(window, name, sizeof name) && lstrcmpA(name, kLauncherTitle) == 0) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        reinterpret_cast<std::vector<Launcher>*>(param)->push_back({window, processId});
    }
    return TRUE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string folder = OwnFolder();
    std::vector<Launcher> launchers;
    EnumWindows(CollectLauncher, reinterpret_cast<LPARAM>(&launchers));
    int result = 0;
    for (const Launcher& launcher : launchers) {
        Handle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                   launcher.processId));
        // A launcher of another copy of the program is none of this folder's business.
        if (!process.value || folder.empty() ||
            lstrcmpiA(ImageFolder(process.value).c_str(), folder.c_str()) != 0) {
            continue;
        }
        PostMessageA(launcher.window, WM_COMMAND, MAKEWPARAM(IDM_STOP, 0), 0);
        if (WaitForSingleObject(process.value, kWaitMs) != WAIT_OBJECT_0) result = 1;
    }
    return result;
}
