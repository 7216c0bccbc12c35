#include "launcher/editor_start_win.h"

#include <windows.h>

#include <string>

#include "launcher/launch_command.h"

namespace {

// The full path of the running program, or empty when it cannot be had.
// GetModuleFileNameA fills the whole buffer when the name does not fit, so a
// full buffer means "try a larger one".
std::string ProgramPath() {
    constexpr std::size_t kLongestPath = 32768;
    std::string path(MAX_PATH + 1, '\0');
    while (path.size() <= kLongestPath) {
        DWORD n = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (n == 0) return std::string();
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.assign(path.size() * 2, '\0');
    }
    return std::string();
}

}  // namespace

void StartEditor() {
    // SW_SHOWNORMAL, not SW_HIDE: on Windows a program started with SW_HIDE has
    // its first captioned top-level window forced hidden, so the editor would
    // never appear. Wine does not reproduce that, so no test here can catch it.
    std::string command = EditorCommand(ProgramPath());
    if (!command.empty()) WinExec(command.c_str(), SW_SHOWNORMAL);
}
