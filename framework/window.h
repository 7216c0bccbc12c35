// TWindow: the object behind one window. The handle is bound to its object
// once, at the first message the new window receives, and every message of
// the window goes through one static procedure per kind of window, which
// catches everything so that no exception reaches the system.
#pragma once

#include <windows.h>

namespace framework {

class TWindow {
public:
    explicit TWindow(TWindow* parent = nullptr) : parent_(parent) {}
    virtual ~TWindow();  // destroys the window if it still exists
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    HWND GetHandle() const { return handle_; }
    TWindow* GetParent() const { return parent_; }
    void SetParent(TWindow* parent) { parent_ = parent; }

    // Creates the window (and what belongs to it); false on failure.
    virtual bool Create() = 0;

    // Called when the application's message queue has run empty.
    virtual void IdleAction() {}

    // Gives the window a look at a queued message before it is dispatched;
    // true when the message has been handled and must not be dispatched.
    virtual bool PreProcessMsg(MSG&) { return false; }

    // The object bound to `handle`, or null.
    static TWindow* FromHandle(HWND handle);

protected:
    // A child window object of this one has lost its window.
    virtual void ChildDestroyed(TWindow*) {}

    // Makes `window` the object the next unbound window that receives a
    // message is bound to; call right before creating the window.
    static void ExpectCreation(TWindow* window);

    // The object for a message of `handle`: the bound one, or the expected
    // one, which is bound now. Null for windows that are neither.
    static TWindow* Bind(HWND handle);

    // Called for WM_DESTROY and WM_NCDESTROY by the kind's procedure.
    void WindowDestroyed();
    void Unbind();

private:
    HWND handle_ = nullptr;
    TWindow* parent_;
    static TWindow* expected_;
};

}  // namespace framework
