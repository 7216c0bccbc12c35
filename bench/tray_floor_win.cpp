// The least a tray program costs: a hidden window, the program's 16 x 16 icon
// in the tray, a 5-second timer that does nothing and a message loop. Built
// with the program's compiler and link options; tools/footprint.sh measures
// the launcher against it. WM_CLOSE ends it.
#include <windows.h>

#include <shellapi.h>

#include "resources/resource_ids.h"

namespace {

constexpr char kClassName[] = "TrellisFloorClass";
constexpr UINT kTrayIconId = 1;  // the launcher's id and callback message
constexpr UINT kTrayCallback = WM_USER;
constexpr UINT kTimerPeriodMs = 5000;

NOTIFYICONDATAA trayIcon{};

LRESULT CALLBACK FloorWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        Shell_NotifyIconA(NIM_DELETE, &trayIcon);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = FloorWndProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass)) return 1;
    HWND window = CreateWindowExA(0, kClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return 1;

    trayIcon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    trayIcon.hWnd = window;
    trayIcon.uID = kTrayIconId;
    trayIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    trayIcon.uCallbackMessage = kTrayCallback;
    trayIcon.hIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_TRELLISBOURNE),
                                                   IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    lstrcpynA(trayIcon.szTip, "Floor", 64);
    Shell_NotifyIconA(NIM_ADD, &trayIcon);
    SetTimer(window, 1, kTimerPeriodMs, nullptr);

    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
