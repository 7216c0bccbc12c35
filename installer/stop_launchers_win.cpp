// StopLaunchers.exe: run by the installer before it removes or replaces the
// program. A launcher waiting in the tray keeps Trellisbourne.exe open, so its
// file could not be removed; this asks every launcher started from this
// folder to stop, with the tray menu's own Stop command, and waits until they
// have ended. Exit code 0 when none is left, 1 when one still runs.
#include <windows.h>

#include "resources/resource_ids.h"

namespace {

constexpr char kLauncherClass[] = "TrellisbourneClass";
constexpr char kLauncherTitle[] = "Dostrel Trellisbourne";
constexpr DWORD kWaitMs = 10000;
constexpr int kMostLaunchers = 64;

struct Handle {
    HANDLE value;
    explicit Handle(HANDLE h) : value(h) {}
    ~Handle() {
        if (value) CloseHandle(value);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
};

// Cuts `path` after its last backslash: the folder, with its backslash.
void KeepFolder(char* path) {
    char* slash = nullptr;
    for (char* at = path; *at; ++at) {
        if (*at == '\\') slash = at;
    }
    if (slash)
        slash[1] = '\0';
    else
        path[0] = '\0';
}

bool OwnFolder(char (&folder)[MAX_PATH]) {
    const DWORD length = GetModuleFileNameA(nullptr, folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    KeepFolder(folder);
    return folder[0] != '\0';
}

bool ImageFolder(HANDLE process, char (&folder)[MAX_PATH]) {
    DWORD length = MAX_PATH;
    if (!QueryFullProcessImageNameA(process, 0, folder, &length)) return false;
    KeepFolder(folder);
    return true;
}

struct Launchers {
    HWND window[kMostLaunchers];
    int count;
};

BOOL CALLBACK CollectLauncher(HWND window, LPARAM param) {
    Launchers& found = *reinterpret_cast<Launchers*>(param);
    char text[64];
    if (found.count < kMostLaunchers && GetClassNameA(window, text, sizeof text) &&
        lstrcmpA(text, kLauncherClass) == 0 && GetWindowTextA(window, text, sizeof text) &&
        lstrcmpA(text, kLauncherTitle) == 0) {
        found.window[found.count++] = window;
    }
    return TRUE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char folder[MAX_PATH];
    if (!OwnFolder(folder)) return 1;
    Launchers launchers{};
    EnumWindows(CollectLauncher, reinterpret_cast<LPARAM>(&launchers));
    int result = 0;
    for (int i = 0; i < launchers.count; ++i) {
        DWORD processId = 0;
        GetWindowThreadProcessId(launchers.window[i], &processId);
        Handle process(
            OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
        char image[MAX_PATH];
        // A launcher of another copy of the program is none of this folder's business.
        if (!process.value || !ImageFolder(process.value, image) || lstrcmpiA(image, folder) != 0) {
            continue;
        }
        PostMessageA(launchers.window[i], WM_COMMAND, MAKEWPARAM(IDM_STOP, 0), 0);
        if (WaitForSingleObject(process.value, kWaitMs) != WAIT_OBJECT_0) result = 1;
    }
    return result;
}
