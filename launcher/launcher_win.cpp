#include "launcher/launcher_win.h"

#include <cstddef>
#include <cstdint>

#include "config/config_file.h"
#include "launcher/editor_start_win.h"
#include "launcher/launch_command.h"
#include "launcher/schedule.h"
#include "launcher/tray_icon_win.h"
#include "platform/platform.h"
#include "platform/single_instance.h"
#include "resources/resource_ids.h"

namespace {

constexpr char kClassName[] = "TrellisbourneClass";
constexpr char kWindowTitle[] = "Dostrel Trellisbourne";
constexpr char kTrayTip[] = "Trellisbourne";
constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;  // 0x2B
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerPeriodMs = kTickSeconds * 1000;

SCalendarDay TodayUtc() {
    SYSTEMTIME now{};
    GetSystemTime(&now);  // UTC: the rules follow the UTC date, not the local one
    return SCalendarDay{now.wDayOfWeek, now.wDay};
}

void StartNow(const char* path, int32_t nCmdShow) {
    // A failed start is silent; the record is gone either way.
    WinExec(LaunchCommand(path, platform::FileExists).c_str(), static_cast<UINT>(nCmdShow));
}

HICON LoadTrayIcon(HINSTANCE instance) {
    // The 16 x 16 image of the icon group, drawn for this size, rather than
    // the 32 x 32 one shrunk by the shell.
    HANDLE small = LoadImageA(instance, MAKEINTRESOURCEA(IDI_TRELLISBOURNE), IMAGE_ICON,
                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                              LR_SHARED);
    if (small) return static_cast<HICON>(small);
    return LoadIconA(instance, MAKEINTRESOURCEA(IDI_TRELLISBOURNE));
}

class CLauncher {
public:
    explicit CLauncher(HINSTANCE instance)
        : instance_(instance), taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {}

    int Run();
    void Stop();
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    static CLauncher* FromWindow(HWND window) {
        return reinterpret_cast<CLauncher*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    void Bind(HWND window) {
        window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }

private:
    using MessageHandler = void (CLauncher::*)(WPARAM, LPARAM);
    using Action = void (CLauncher::*)();
    struct SMessageRoute {
        UINT message;
        MessageHandler handler;
    };
    struct SActionRoute {
        UINT key;  // a command ID or a mouse message
        Action action;
    };

    bool CreateLauncherWindow();
    void AttachTrayMenu();

    void OnCommand(WPARAM wParam, LPARAM lParam);
    void OnTimer(WPARAM wParam, LPARAM lParam);
    void OnTrayNotify(WPARAM wParam, LPARAM lParam);
    void OnDestroy(WPARAM wParam, LPARAM lParam);
    void OnStopCommand();
    void OnOpenEditor();
    void OnShowTrayMenu();
    void OnTaskbarCreated();

    template <std::size_t N>
    void Route(const SActionRoute (&routes)[N], UINT key);

    HINSTANCE instance_;
    UINT taskbarCreated_;
    HWND window_ = nullptr;
    HMENU trayMenu_ = nullptr;   // attached to the window, which releases it
    HMENU trayPopup_ = nullptr;
    CTrayIcon tray_;
    uint16_t elapsed_ = 0;       // seconds; wraps modulo 65536 (see schedule.h)
    uint8_t stopping_ = 0;
};

template <std::size_t N>
void CLauncher::Route(const SActionRoute (&routes)[N], UINT key) {
    for (const SActionRoute& route : routes) {
        if (route.key == key) {
            (this->*route.action)();
            return;
        }
    }
}

void CLauncher::OnCommand(WPARAM wParam, LPARAM) {
    static const SActionRoute kCommands[] = {
        {IDM_STOP, &CLauncher::OnStopCommand},
        {IDM_CONFIGURE, &CLauncher::OnOpenEditor},
    };
    Route(kCommands, LOWORD(wParam));
}

void CLauncher::OnTrayNotify(WPARAM, LPARAM lParam) {
    static const SActionRoute kMouse[] = {
        {WM_LBUTTONDBLCLK, &CLauncher::OnOpenEditor},
        {WM_RBUTTONUP, &CLauncher::OnShowTrayMenu},
    };
    Route(kMouse, LOWORD(lParam));
}

LRESULT CLauncher::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    static const SMessageRoute kMessages[] = {
        {WM_COMMAND, &CLauncher::OnCommand},
        {WM_TIMER, &CLauncher::OnTimer},
        {WM_TRAYNOTIFY, &CLauncher::OnTrayNotify},
        {WM_DESTROY, &CLauncher::OnDestroy},
    };
    bool routed = false;
    for (const SMessageRoute& route : kMessages) {
        if (route.message == message) {
            (this->*route.handler)(wParam, lParam);
            routed = true;
            break;
        }
    }
    // The taskbar's message number is only known at run time.
    if (!routed && taskbarCreated_ != 0 && message == taskbarCreated_) OnTaskbarCreated();
    // Handled or not, every message gets the default processing as well.
    const LRESULT result = DefWindowProcA(window_, message, wParam, lParam);
    if (message == WM_NCDESTROY) window_ = nullptr;
    return result;
}

void CLauncher::Stop() {
    stopping_ = 1;
    tray_.Remove();
}

void CLauncher::OnStopCommand() {
    Stop();
    ExitProcess(0);
}

// A close request (taskkill, an installer's restart manager) reaches the
// default processing, which destroys the window and with it the timer. The
// launcher then ends as the stop command ends it, through its message loop.
void CLauncher::OnDestroy(WPARAM, LPARAM) {
    if (!stopping_) Stop();
    PostQuitMessage(0);
}

void CLauncher::OnOpenEditor() { StartEditor(); }

void CLauncher::OnShowTrayMenu() {
    POINT at{};
    GetCursorPos(&at);
    // Without the foreground the menu stays open after a click elsewhere;
    // the posted WM_NULL lets it close properly the next time.
    SetForegroundWindow(window_);
    TrackPopupMenuEx(trayPopup_, 0, at.x, at.y, window_, nullptr);
    PostMessageA(window_, WM_NULL, 0, 0);
}

void CLauncher::OnTaskbarCreated() {
    if (!stopping_) tray_.Restore();
}

void CLauncher::OnTimer(WPARAM, LPARAM) {
    if (!stopping_ && !tray_.Shown()) tray_.Add();
    bool empty = !AppList || LauncherTick(*AppList, elapsed_, StartNow);
    if (empty && !stopping_) {
        Stop();
        ExitProcess(0);
    }
}

bool CLauncher::CreateLauncherWindow() {
    WNDCLASSA windowClass{};
    windowClass.style = kClassStyle;
    windowClass.lpfnWndProc = LauncherWndProc;
    windowClass.hInstance = instance_;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass)) return false;

    // Never shown: it only owns the timer, the tray icon and the menu.
    HWND window = CreateWindowExA(0, kClassName, kWindowTitle, WS_POPUP, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, instance_, this);
    return window != nullptr;
}

void CLauncher::AttachTrayMenu() {
    trayMenu_ = LoadMenuA(instance_, MAKEINTRESOURCEA(IDR_TRAYMENU));
    SetMenu(window_, trayMenu_);
    trayPopup_ = GetSubMenu(trayMenu_, 0);
}

int CLauncher::Run() {
    // Before the list is read: a second launcher of the session starts nothing
    // and reports nothing, and the first goes on alone.
    platform::SessionInstance instance(platform::kLauncherInstanceName);
    if (!instance.First()) return 0;
    stopping_ = 0;
    elapsed_ = 0;
    LoadConfig();
    if (!CreateLauncherWindow()) return 0;
    AttachTrayMenu();
    tray_.Attach(window_, LoadTrayIcon(instance_), kTrayTip);
    tray_.Add();  // a refusal is retried on every tick
    if (AppList) ApplyDailyFilter(*AppList, TodayUtc());
    SetTimer(window_, kTimerId, kTimerPeriodMs, nullptr);

    MSG message{};
    // GetMessageA returns -1 on a failure; that ends the loop too.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // A quit message from outside leaves the window; its end takes the icon away.
    if (window_) DestroyWindow(window_);
    FreeAppList();
    return static_cast<int>(message.wParam);
}

}  // namespace

LRESULT CALLBACK LauncherWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // No exception may unwind into the system's code that called us.
    try {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            static_cast<CLauncher*>(create->lpCreateParams)->Bind(window);
        }
        if (CLauncher* launcher = CLauncher::FromWindow(window))
            return launcher->Dispatch(message, wParam, lParam);
    } catch (...) {
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void StopLauncher(HWND window) {
    if (CLauncher* launcher = CLauncher::FromWindow(window)) launcher->Stop();
}

int RunLauncher(HINSTANCE instance) {
    CLauncher launcher(instance);
    return launcher.Run();
}
