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
    bool Execute(HWND owner);
    const std::wstring& FileName() const { return fileName_; }

private:
    Text filter_;
    std::wstring fileName_;
};

}  // namespace Wexo::Ui
