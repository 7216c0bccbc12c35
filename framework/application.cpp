#include "framework/application.h"

namespace framework {

TApplication::TApplication(const char* name, HINSTANCE instance, HINSTANCE previous,
                           const char* commandTail, int showCommand)
    : name_(name ? name : ""),
      instance_(instance),
      previous_(previous),
      commandTail_(commandTail ? commandTail : ""),
      showCommand_(showCommand) {}

TApplication::~TApplication() {
    mainWindow_.reset();
}

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
    bool idleDue = true;
    for (;;) {
        // Idle work runs once each time the queue empties, not again until a message has come.
        if (idleDue && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            IdleAction();
            idleDue = false;
            continue;
        }
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return -1;
        idleDue = true;
        if (mainWindow_ && mainWindow_->PreProcessMsg(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace framework
