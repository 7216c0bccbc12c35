#include "framework/application.h"

namespace framework {

TApplication::TApplication(const char*, HINSTANCE instance, HINSTANCE, const char*, int showCommand)
    : instance_(instance), showCommand_(showCommand) {}

void TApplication::SetMainWindow(TFrameWindow* window) {
    mainWindow_.reset(window);
}

int TApplication::Run() {
    InitMainWindow();
    if (!mainWindow_ || !mainWindow_->Create()) return -1;
    ShowWindow(mainWindow_->GetHandle(), showCommand_);
    UpdateWindow(mainWindow_->GetHandle());
    return MessageLoop();
}

void TApplication::IdleAction() {
    if (mainWindow_) mainWindow_->IdleAction();
}

int TApplication::MessageLoop() {
    MSG msg;
    for (;;) {
        // PeekMessage also delivers messages sent from other threads and
        // processes, which GetMessage would handle without returning: the
        // idle pass then follows those too, not only posted messages.
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
            if (mainWindow_ && mainWindow_->PreProcessMsg(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        IdleAction();
        // Sleeps until a message is posted or sent; a pass that changes
        // nothing causes no message, so the loop never spins.
        MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

}  // namespace framework
