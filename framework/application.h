// TApplication: the start-up values of the program, its main window and its
// message loop. Whenever the queue runs empty (after any posted or sent
// message) the main window gets its idle call; queued messages first go through the main window's
// PreProcessMsg so that modeless dialogs get the system's dialog keyboard interface.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/frame_window.h"

namespace framework {

class TApplication {
public:
    // Nothing reads the name, the previous instance or the command tail: they are taken so that
    // the entry hands over every start-up value, as the system gives them.
    TApplication(const char* name, HINSTANCE instance, HINSTANCE previous, const char* commandTail,
                 int showCommand);
    // Destroys and releases the main window (the last member, so the first to go).
    virtual ~TApplication() = default;
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    HINSTANCE GetInstance() const { return instance_; }

    // Takes over `window`, releasing any earlier main window.
    void SetMainWindow(TFrameWindow* window);
    TFrameWindow* GetMainWindow() const { return mainWindow_.get(); }

    // Sets up the main window, creates and shows it, and runs the message
    // loop until the main window is destroyed. The loop's exit code, or -1
    // when there is no main window or it cannot be created.
    int Run();

protected:
    // Where a derived application makes its main window (SetMainWindow).
    virtual void InitMainWindow() {}

    // One pass of idle work; the main window's idle call by default.
    virtual void IdleAction();

private:
    int MessageLoop();

    HINSTANCE instance_;
    int showCommand_;
    std::unique_ptr<TFrameWindow> mainWindow_;
};

}  // namespace framework
