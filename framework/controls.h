// Control objects bound to a dialog's child by control ID. They may be made
// before the dialog window exists: the child is looked up on each use.
#pragma once

#include <windows.h>

namespace framework {

class TDialog;

class TControl {
public:
    TControl(TDialog* parent, int id) : parent_(parent), id_(id) {}
    // The child window, or null while the dialog has no window.
    HWND GetHandle() const;

protected:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

private:
    TDialog* parent_;
    int id_;
};

class TListBox : public TControl {
public:
    using TControl::TControl;
    // Inserts at the end, never sorted, whatever the control's style: the
    // new entry's position, or a negative value on failure.
    int AddString(const char* text) const;
    int DeleteString(int index) const;
    // The selected position, or -1 when nothing is selected.
    int GetSelIndex() const;
    int GetCount() const;
};

class TComboBox : public TControl {
public:
    using TControl::TControl;
    // Inserts at the end, never sorted, whatever the control's style.
    int AddString(const char* text) const;
    // The selected index, or -1 when nothing is selected.
    int GetSelIndex() const;
    // An index outside the list leaves nothing selected.
    void SetSelIndex(int index) const;
};

class TCheckBox : public TControl {
public:
    using TControl::TControl;
    bool IsChecked() const;
    void SetCheck(bool checked) const;
};

// Checking a radio button through this object leaves the others of its group as they are.
class TRadioButton : public TCheckBox {
public:
    using TCheckBox::TCheckBox;
};

class TEdit : public TControl {
public:
    using TControl::TControl;
    // At most size - 1 characters and a NUL; the number of characters copied.
    int GetText(char* buffer, int size) const;
    // The edit reports the change (EN_CHANGE) to the dialog before this returns.
    void SetText(const char* text) const;
};

}  // namespace framework
