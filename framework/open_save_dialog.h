// The system's file-open dialog, run modally, with settings that live
// between runs (the chosen file name and file type are offered again).
#pragma once

#include <windows.h>

#include <string>

#include "framework/window.h"

namespace framework {

class TOpenSaveDialog {
public:
    struct TData {
        static constexpr int kMaxPath = 260;

        // `filter` in the "Name|pattern|Name|pattern|" form; `defExt` is
        // handed to the system, which uses its first three characters.
        TData(DWORD flags, const char* filter, const char* initialDir = nullptr,
              const char* defExt = nullptr);

        DWORD Flags;
        std::string Filter;  // the system form: NUL-ended parts and a final NUL
        std::string InitialDir;
        std::string DefExt;
        char FileName[kMaxPath] = {};
        DWORD FilterIndex = 1;  // 1-based: the first file type at first
    };
};

class TFileOpenDialog {
public:
    // `data` must outlive the object.
    TFileOpenDialog(TWindow* parent, TOpenSaveDialog::TData& data, const char* title = nullptr);

    // IDOK when the user chose a file (its full path is then in the data's
    // FileName), IDCANCEL when the dialog was cancelled or failed.
    int Execute();

private:
    TWindow* parent_;
    TOpenSaveDialog::TData& data_;
    std::string title_;
};

}  // namespace framework
