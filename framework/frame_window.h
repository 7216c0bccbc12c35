// TFrameWindow: a top-level window that hosts one client window as its child,
// carries a large and a small icon, and can size itself around its client.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/window.h"

namespace framework {

// An icon handle that is destroyed with its owner unless it is shared.
class TIconHandle {
public:
    TIconHandle() = default;
    TIconHandle(HICON icon, bool owned) : icon_(icon), owned_(owned) {}
    ~TIconHandle() { Reset(); }
    TIconHandle(const TIconHandle&) = delete;
    TIconHandle& operator=(const TIconHandle&) = delete;
    TIconHandle& operator=(TIconHandle&& other) noexcept;

    HICON Get() const { return icon_; }
    void Reset();

private:
    HICON icon_ = nullptr;
    bool owned_ = false;
};

class TFrameWindow : public TWindow {
public:
    static constexpr const char* kClassName = "TrellisbourneFrame";

    struct TAttributes {
        DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
        DWORD exStyle = 0;
        int x = CW_USEDEFAULT;
        int y = CW_USEDEFAULT;
        int width = CW_USEDEFAULT;
        int height = CW_USEDEFAULT;
    };

    // Takes over `client`, which becomes a child of the frame's window.
    TFrameWindow(TWindow* parent, const char* title, TWindow* client, bool shrinkToClient,
                 HINSTANCE module = nullptr);
    ~TFrameWindow() override;

    TAttributes& Attr() { return attr_; }

    // Icon `resourceId` of `module`, shown in the caption and the task list.
    void SetIcon(HINSTANCE module, int resourceId);
    // The small icon: the same resource at the system's small-icon size,
    // or the plain icon when that size cannot be loaded.
    void SetIconSm(HINSTANCE module, int resourceId);

    // Creates the frame (hidden until shown by the caller), then the client
    // as its child at the client area's origin; shrink-to-client then sizes
    // the frame so that its client area is the client window's size.
    bool Create() override;

    void IdleAction() override;
    bool PreProcessMsg(MSG& msg) override;

protected:
    void ChildDestroyed(TWindow* child) override;
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    static bool RegisterFrameClass(HINSTANCE module);
    void ShrinkToClient();
    void ApplyIcons();

    std::string title_;
    std::unique_ptr<TWindow> client_;
    bool shrinkToClient_;
    HINSTANCE module_;
    TAttributes attr_;
    TIconHandle icon_;
    TIconHandle iconSm_;
    bool destroying_ = false;
};

}  // namespace framework
