// The launcher: a hidden window that owns the tray icon, its menu and the
// 5-second timer that starts today's applications once they are due.
#pragma once

#include <windows.h>

// The whole launcher mode. Returns only when a quit message ends its message
// loop (or 0 when its window cannot be made); the usual ends are ExitProcess
// from the stop command or from the tick that empties the list.
int RunLauncher(HINSTANCE instance);

LRESULT CALLBACK LauncherWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Sets the stop flag and takes the tray icon away.
void StopLauncher(HWND window);
