// TDialog: a modeless dialog built from a dialog template resource and
// created as a child of its parent's window. Notifications go through event
// tables (a derived dialog searches its own table before TDialog's); at idle
// every child window whose ID has an enabling rule is enabled or disabled.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/enable_rules.h"
#include "framework/event_table.h"
#include "framework/window.h"

namespace framework {

class TDialog : public TWindow {
public:
    TDialog(TWindow* parent, int resourceId, HINSTANCE module = nullptr);

    HINSTANCE GetModule() const { return module_; }

    // Creates the dialog window with its controls, as a child of the
    // parent's window; SetupWindow runs before this returns.
    bool Create() override;

    // The enabling pass.
    void IdleAction() override;

    // The system's dialog keyboard interface: Tab, Enter, Escape, arrows.
    bool PreProcessMsg(MSG& msg) override;

    // Ends the dialog: its window is destroyed at once.
    void Destroy();

protected:
    // Runs once the dialog window and its controls exist.
    virtual void SetupWindow() {}

    // Handles the notification `code` of control `id`; false when no table
    // has a row for it. WM_COMMAND gives (control ID, notification code),
    // a scroll bar's WM_VSCROLL gives (its control ID, scroll code).
    virtual bool DispatchEvent(uint32_t id, uint32_t code);

    // Whether children with this ID are enabled, or NoRule to leave them alone.
    virtual TEnableState EnableStateFor(uint32_t) const { return TEnableState::NoRule; }

    void CmOk() { Destroy(); }
    void CmCancel() { Destroy(); }

private:
    static const TEventRow<TDialog> kEvents[2];

    static INT_PTR CALLBACK DialogProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    static BOOL CALLBACK EnableChild(HWND child, LPARAM dialog);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    int resourceId_;
    HINSTANCE module_;
};

}  // namespace framework
