#include "framework/window.h"

namespace framework {

TWindow* TWindow::expected_ = nullptr;

TWindow::~TWindow() {
    if (handle_) {
        HWND handle = handle_;
        Unbind();
        DestroyWindow(handle);
    }
}

TWindow* TWindow::FromHandle(HWND handle) {
    return handle ? reinterpret_cast<TWindow*>(GetWindowLongPtrA(handle, GWLP_USERDATA)) : nullptr;
}

void TWindow::ExpectCreation(TWindow* window) {
    expected_ = window;
}

TWindow* TWindow::Bind(HWND handle) {
    if (TWindow* bound = FromHandle(handle)) return bound;
    TWindow* window = expected_;
    if (!window) return nullptr;
    expected_ = nullptr;
    window->handle_ = handle;
    SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    return window;
}

void TWindow::WindowDestroyed() {
    if (parent_) parent_->ChildDestroyed(this);
}

void TWindow::Unbind() {
    if (!handle_) return;
    SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    handle_ = nullptr;
}

}  // namespace framework
