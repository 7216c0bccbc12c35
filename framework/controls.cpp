#include "framework/controls.h"

#include "framework/dialog.h"

namespace framework {

HWND TControl::GetHandle() const {
    HWND dialog = parent_ ? parent_->GetHandle() : nullptr;
    return dialog ? GetDlgItem(dialog, id_) : nullptr;
}

LRESULT TControl::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    HWND handle = GetHandle();
    return handle ? SendMessageA(handle, message, wParam, lParam) : -1;
}

// Insertion at -1 appends without sorting, unlike LB_ADDSTRING/CB_ADDSTRING.
int TListBox::AddString(const char* text) const {
    return static_cast<int>(
        Send(LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
}

int TListBox::DeleteString(int index) const {
    return static_cast<int>(Send(LB_DELETESTRING, index));
}

int TListBox::GetSelIndex() const {
    const LRESULT index = Send(LB_GETCURSEL);
    return index < 0 ? -1 : static_cast<int>(index);
}

int TListBox::GetCount() const {
    const LRESULT count = Send(LB_GETCOUNT);
    return count < 0 ? 0 : static_cast<int>(count);
}

int TComboBox::AddString(const char* text) const {
    return static_cast<int>(
        Send(CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
}

int TComboBox::GetSelIndex() const {
    const LRESULT index = Send(CB_GETCURSEL);
    return index < 0 ? -1 : static_cast<int>(index);
}

void TComboBox::SetSelIndex(int index) const {
    // Windows clears the selection for an index past the end, Wine keeps it: ask for "none"
    // outright.
    const LRESULT count = Send(CB_GETCOUNT);
    if (index < 0 || index >= count) index = -1;
    Send(CB_SETCURSEL, static_cast<WPARAM>(index));
}

bool TCheckBox::IsChecked() const {
    return Send(BM_GETCHECK) == BST_CHECKED;
}

void TCheckBox::SetCheck(bool checked) const {
    Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

int TEdit::GetText(char* buffer, int size) const {
    if (size <= 0) return 0;
    buffer[0] = '\0';
    HWND handle = GetHandle();
    return handle ? GetWindowTextA(handle, buffer, size) : 0;
}

void TEdit::SetText(const char* text) const {
    if (HWND handle = GetHandle()) SetWindowTextA(handle, text);
}

}  // namespace framework
