#include "launcher/editor_start_win.h"

#include <windows.h>

#include <string>

#include "launcher/launch_command.h"

namespace {

// The full path of the running program, or empty when it cannot be had.
// GetModuleFileNameA fills the whole buffer when the name does not fit, so a
// name that fills it is treated as cut off.
std::string ProgramPath() {
    std::string path(32768, '\0');  // the longest path Windows has
    DWORD n = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (n == 0 || n >= path.size()) return std::string();
    path.resize(n);
    return path;
}

}  // namespace

void StartEditor() {
    // SW_SHOWNORMAL, not SW_HIDE: on Windows a program started with SW_HIDE has
    // its first captioned top-level window forced hidden, so the editor would
    // never appear. Wine does not reproduce that, so no test here can catch it.
    std::string command = EditorCommand(ProgramPath());
    if (command.empty()) return;
    // The shell lets the icon's owner take the foreground after a click on it;
    // this passes that on to the editor, which may have to bring an editor that
    // is already open to the front. Wine has no foreground lock to test it by.
    AllowSetForegroundWindow(ASFW_ANY);
    WinExec(command.c_str(), SW_SHOWNORMAL);
}
