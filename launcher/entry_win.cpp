#include <windows.h>

#include "editor/run_editor.h"
#include "launcher/command_tail.h"
#include "launcher/launcher_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Keep the current directory out of the DLL search before anything loads one.
    SetDllDirectoryA("");

    // The C runtime's lpCmdLine follows other rules than ours; use the raw line.
    const char* tail = CommandTail(GetCommandLineA());
    if (*tail) return RunLauncher(instance);
    return RunEditor(instance, nullptr, tail, SW_SHOWDEFAULT);
}
