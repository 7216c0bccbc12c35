#include "launcher/tray_icon_win.h"

#include <cstring>

// The first, shortest form of the structure: every shell version accepts it.
#ifndef _WIN64
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "first form of NOTIFYICONDATAA is 88 bytes");
#endif

CTrayIcon::~CTrayIcon() {
    if (shown_) Remove();
}

void CTrayIcon::Attach(HWND owner, HICON icon, const char* tip) {
    data_ = NOTIFYICONDATAA{};
    data_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data_.hWnd = owner;
    data_.uID = kTrayIconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = WM_TRAYNOTIFY;
    data_.hIcon = icon;
    // The first form holds 64 bytes of tip, terminator included.
    std::strncpy(data_.szTip, tip, 63);
    data_.szTip[63] = '\0';
}

bool CTrayIcon::Notify(DWORD action) { return Shell_NotifyIconA(action, &data_) != FALSE; }

bool CTrayIcon::Add() {
    shown_ = Notify(NIM_ADD);
    return shown_;
}

bool CTrayIcon::Restore() {
    shown_ = Notify(NIM_ADD) || Notify(NIM_MODIFY);
    return shown_;
}

void CTrayIcon::Remove() {
    Notify(NIM_DELETE);
    shown_ = false;
}
