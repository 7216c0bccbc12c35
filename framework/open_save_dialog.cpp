#include "framework/open_save_dialog.h"

#include <commdlg.h>

#include "framework/file_filter.h"

namespace framework {

TOpenSaveDialog::TData::TData(DWORD flags, const char* filter, const char* initialDir,
                              const char* defExt)
    : Flags(flags),
      Filter(filter ? SystemFilter(filter) : std::string()),
      InitialDir(initialDir ? initialDir : ""),
      DefExt(defExt ? defExt : "") {}

TFileOpenDialog::TFileOpenDialog(TWindow* parent, TOpenSaveDialog::TData& data, const char* title)
    : parent_(parent), data_(data), title_(title ? title : "") {}

int TFileOpenDialog::Execute() {
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = parent_ ? parent_->GetHandle() : nullptr;
    ofn.lpstrFilter = data_.Filter.empty() ? nullptr : data_.Filter.c_str();
    ofn.nFilterIndex = data_.FilterIndex;
    ofn.lpstrFile = data_.FileName;
    ofn.nMaxFile = TOpenSaveDialog::TData::kMaxPath;
    ofn.lpstrInitialDir = data_.InitialDir.empty() ? nullptr : data_.InitialDir.c_str();
    ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    // Long file names and the newer dialog style, whatever the caller asked for.
    ofn.Flags = data_.Flags | OFN_EXPLORER | OFN_LONGNAMES;
    ofn.lpstrDefExt = data_.DefExt.empty() ? nullptr : data_.DefExt.c_str();
    if (!GetOpenFileNameA(&ofn)) return IDCANCEL;
    data_.FilterIndex = ofn.nFilterIndex;
    return IDOK;
}

}  // namespace framework
