// The launcher: a hidden window that owns the tray icon, its menu and the
// 5-second timer that starts today's applications once they are due.
#pragma once

#include <windows.h>

// The whole launcher mode. The usual ends are ExitProcess from the stop command
// or from the tick that empties the list. It returns when its message loop
// ends: the window was closed or destroyed (0) or a quit message came from
// outside (its code). It returns 0 at once when another launcher of the
// log-on session is running, and when its window cannot be made.
int RunLauncher(HINSTANCE instance);

LRESULT CALLBACK LauncherWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Sets the stop flag and takes the tray icon away.
void StopLauncher(HWND window);
