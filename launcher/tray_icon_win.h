// The launcher's icon in the notification area.
//
// The shell often refuses icons while it is still starting at log-on, and
// forgets them all when it restarts: the owner retries a failed add on every
// tick and restores the icon when the shell announces a new taskbar.
#pragma once

#include <windows.h>
#include <shellapi.h>

constexpr UINT WM_TRAYNOTIFY = WM_USER;  // the icon's mouse messages, in lParam
constexpr UINT kTrayIconId = 1;

class CTrayIcon {
public:
    CTrayIcon() = default;
    ~CTrayIcon();  // takes the icon away if it is still shown
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    void Attach(HWND owner, HICON icon, const char* tip);

    bool Add();      // false when the shell refused it
    bool Restore();  // after a taskbar restart: add again, or update an icon the shell kept
    void Remove();
    bool Shown() const { return shown_; }

private:
    bool Notify(DWORD action);

    NOTIFYICONDATAA data_{};
    bool shown_ = false;
};
