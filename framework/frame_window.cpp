#include "framework/frame_window.h"

#include <utility>

namespace framework {

TIconHandle& TIconHandle::operator=(TIconHandle&& other) noexcept {
    if (this != &other) {
        Reset();
        icon_ = std::exchange(other.icon_, nullptr);
        owned_ = std::exchange(other.owned_, false);
    }
    return *this;
}

void TIconHandle::Reset() {
    if (icon_ && owned_) DestroyIcon(icon_);
    icon_ = nullptr;
    owned_ = false;
}

TFrameWindow::TFrameWindow(TWindow* parent, const char* title, TWindow* client, bool shrinkToClient,
                           HINSTANCE module)
    : TWindow(parent),
      title_(title ? title : ""),
      client_(client),
      shrinkToClient_(shrinkToClient),
      module_(module ? module : GetModuleHandleA(nullptr)) {
    if (client_) client_->SetParent(this);
}

TFrameWindow::~TFrameWindow() {
    // The client goes first, while the frame's window (its parent) still exists.
    client_.reset();
}

void TFrameWindow::SetIcon(HINSTANCE module, int resourceId) {
    // Icons from LoadIcon are shared by the system and never destroyed.
    icon_ = TIconHandle(LoadIconA(module, MAKEINTRESOURCEA(resourceId)), false);
    ApplyIcons();
}

void TFrameWindow::SetIconSm(HINSTANCE module, int resourceId) {
    HICON small = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(resourceId), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), 0));
    iconSm_ = small ? TIconHandle(small, true)
                    : TIconHandle(LoadIconA(module, MAKEINTRESOURCEA(resourceId)), false);
    ApplyIcons();
}

void TFrameWindow::ApplyIcons() {
    if (!GetHandle()) return;
    if (icon_.Get())
        SendMessageA(GetHandle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.Get()));
    if (iconSm_.Get())
        SendMessageA(GetHandle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(iconSm_.Get()));
}

bool TFrameWindow::RegisterFrameClass(HINSTANCE module) {
    WNDCLASSA existing;
    if (GetClassInfoA(module, kClassName, &existing)) return true;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = module;
    // The system's arrow; IDC_ARROW is the ANSI resource name LoadCursorA wants as long as
    // UNICODE is not defined, which this program never does.
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0;
}

bool TFrameWindow::Create() {
    if (GetHandle()) return true;
    if (!RegisterFrameClass(module_)) return false;
    // A frame made again after its window ended starts afresh.
    destroying_ = false;
    HWND owner = GetParent() ? GetParent()->GetHandle() : nullptr;
    // Shown by the caller once it has its final size.
    ExpectCreation(this);
    HWND handle = CreateWindowExA(attr_.exStyle, kClassName, title_.c_str(),
                                  attr_.style & ~WS_VISIBLE, attr_.x, attr_.y, attr_.width,
                                  attr_.height, owner, nullptr, module_, nullptr);
    ExpectCreation(nullptr);
    if (!handle) return false;
    ApplyIcons();
    if (client_) {
        if (!client_->Create()) {
            // Unbound first, so this failed start posts no quit message for a loop that never ran.
            Unbind();
            DestroyWindow(handle);
            return false;
        }
        SetWindowPos(client_->GetHandle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (shrinkToClient_) ShrinkToClient();
    }
    return true;
}

void TFrameWindow::ShrinkToClient() {
    RECT client;
    GetWindowRect(client_->GetHandle(), &client);
    RECT frame = {0, 0, client.right - client.left, client.bottom - client.top};
    DWORD style = static_cast<DWORD>(GetWindowLongPtrA(GetHandle(), GWL_STYLE));
    DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(GetHandle(), GWL_EXSTYLE));
    AdjustWindowRectEx(&frame, style, GetMenu(GetHandle()) != nullptr, exStyle);
    SetWindowPos(GetHandle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFrameWindow::IdleAction() {
    if (client_) client_->IdleAction();
}

bool TFrameWindow::PreProcessMsg(MSG& msg) {
    return client_ && client_->PreProcessMsg(msg);
}

void TFrameWindow::ChildDestroyed(TWindow* child) {
    // Every way the client ends closes the frame, unless the frame is already on its way out.
    if (child == client_.get() && GetHandle() && !destroying_)
        PostMessageA(GetHandle(), WM_CLOSE, 0, 0);
}

LRESULT TFrameWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFOCUS:
            // The keyboard belongs to the client.
            if (client_ && client_->GetHandle()) {
                SetFocus(client_->GetHandle());
                return 0;
            }
            break;
        case WM_DESTROY:
            destroying_ = true;
            WindowDestroyed();
            // The frame is the application's main window: its end ends the message loop.
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(GetHandle(), message, wParam, lParam);
}

LRESULT CALLBACK TFrameWindow::WindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        auto* frame = static_cast<TFrameWindow*>(Bind(handle));
        if (frame) {
            if (message == WM_NCDESTROY) {
                frame->Unbind();
            } else {
                return frame->HandleMessage(message, wParam, lParam);
            }
        }
    } catch (...) {
        // Nothing may unwind into the system; the message gets the default handling.
    }
    return DefWindowProcA(handle, message, wParam, lParam);
}

}  // namespace framework
