#include "framework/dialog.h"

namespace framework {

// The standard commands (Enter and Escape give them) end the dialog.
const TEventRow<TDialog> TDialog::kEvents[2] = {
    {IDOK, BN_CLICKED, &TDialog::CmOk},
    {IDCANCEL, BN_CLICKED, &TDialog::CmCancel},
};

TDialog::TDialog(TWindow* parent, int resourceId, HINSTANCE module)
    : TWindow(parent),
      resourceId_(resourceId),
      module_(module ? module : GetModuleHandleA(nullptr)) {}

bool TDialog::Create() {
    if (GetHandle()) return true;
    HWND parent = GetParent() ? GetParent()->GetHandle() : nullptr;
    ExpectCreation(this);
    HWND handle = CreateDialogParamA(module_, MAKEINTRESOURCEA(resourceId_), parent, DialogProc, 0);
    ExpectCreation(nullptr);
    return handle != nullptr;
}

void TDialog::Destroy() {
    if (GetHandle()) DestroyWindow(GetHandle());
}

bool TDialog::DispatchEvent(uint32_t id, uint32_t code) {
    return framework::DispatchEvent(*this, kEvents, id, code);
}

void TDialog::IdleAction() {
    if (GetHandle()) EnumChildWindows(GetHandle(), EnableChild, reinterpret_cast<LPARAM>(this));
}

BOOL CALLBACK TDialog::EnableChild(HWND child, LPARAM dialog) {
    try {
        const auto* self = reinterpret_cast<const TDialog*>(dialog);
        // IDs are 16-bit in dialog templates: 65535 and -1 are the same "no ID".
        const uint32_t id = static_cast<uint16_t>(GetDlgCtrlID(child));
        const TEnableState state = self->EnableStateFor(id);
        if (state != TEnableState::NoRule) {
            const bool enable = state == TEnableState::Enabled;
            // Only a real change is made, so the pass itself causes no new messages.
            if ((IsWindowEnabled(child) != FALSE) != enable) EnableWindow(child, enable);
        }
    } catch (...) {
        // A failing rule leaves its child as it is; the pass goes on with the others.
    }
    return TRUE;
}

bool TDialog::PreProcessMsg(MSG& msg) {
    return GetHandle() && IsDialogMessageA(GetHandle(), &msg);
}

INT_PTR TDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetupWindow();
            return TRUE;
        case WM_COMMAND:
            return DispatchEvent(LOWORD(wParam), HIWORD(wParam));
        case WM_VSCROLL:
            // Only scroll bar controls: a dialog's own scroll bars send no handle.
            if (lParam)
                return DispatchEvent(
                    static_cast<uint16_t>(GetDlgCtrlID(reinterpret_cast<HWND>(lParam))),
                    LOWORD(wParam));
            return FALSE;
        case WM_DESTROY:
            WindowDestroyed();
            return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK TDialog::DialogProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        auto* dialog = static_cast<TDialog*>(Bind(handle));
        if (!dialog) return FALSE;
        if (message == WM_NCDESTROY) {
            dialog->Unbind();
            return FALSE;
        }
        return dialog->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into the system; the message gets the default handling.
        return FALSE;
    }
}

}  // namespace framework
