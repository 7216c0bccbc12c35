// Helpers for tests that create real windows on the test's own thread.
#pragma once

#include <windows.h>

#include <functional>

// Dispatches every message waiting in the queue. True when WM_QUIT was among them.
inline bool PumpMessages() {
    bool quit = false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return quit;
}

// Pumps messages until `done` holds or `timeoutMs` has passed; the final value of `done`.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return done();
        PumpMessages();
        if (done()) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return true;
}

inline void SendCommand(HWND dialog, int id, int code) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The scroll bar control with this ID, or null. Another kind of child may share the ID, and
// GetDlgItem gives whichever comes first.
inline HWND ScrollBar(HWND dialog, int id) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[16];
        if (GetDlgCtrlID(child) == id && GetClassNameA(child, className, sizeof className) &&
            lstrcmpiA(className, "ScrollBar") == 0)
            return child;
    }
    return nullptr;
}

// The arrow of a vertical scroll bar control: SB_LINEUP or SB_LINEDOWN.
inline void SendScroll(HWND dialog, int id, int scrollCode) {
    SendMessageA(dialog, WM_VSCROLL, MAKEWPARAM(scrollCode, 0),
                 reinterpret_cast<LPARAM>(ScrollBar(dialog, id)));
}
