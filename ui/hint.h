// The hint of one control: a tooltip that shows a text while the mouse rests on the control.
#pragma once

#include <windows.h>

#include <string>

#include "ui/unique_window.h"

namespace Wexo::Ui {

class Hint {
public:
    Hint(HINSTANCE instance, HWND owner, HWND control);
    Hint(const Hint&) = delete;
    Hint& operator=(const Hint&) = delete;

    void Set(const std::wstring& text);

private:
    HWND owner_;
    HWND control_;
    UniqueWindow tooltip_;
    std::wstring text_;  // the tooltip reads it from here
};

}  // namespace Wexo::Ui
