// The file-open dialog: keeps the chosen file name between calls and opens with it.
#pragma once

#include <windows.h>

#include <string>

#include "core/text.h"

namespace Wexo::Ui {

class OpenDialog {
public:
    // `filter` pairs descriptions and patterns, separated by '|'.
    explicit OpenDialog(const Text& filter) : filter_(filter) {}

    // True when the user chose a file; FileName then holds its full path, as the system gives it (UTF-16).
    // False when the user cancelled or the dialog could not open; Failure tells the two apart.
    bool Execute(HWND owner);
    const std::wstring& FileName() const { return fileName_; }
    // 0 after a choice or a cancel. Otherwise why the last Execute showed no dialog: the system's error
    // code when comdlg32.dll or its GetOpenFileNameW could not be loaded, else CommDlgExtendedError's code.
    DWORD Failure() const { return failure_; }

private:
    Text filter_;
    std::wstring fileName_;
    DWORD failure_ = 0;
};

}  // namespace Wexo::Ui
