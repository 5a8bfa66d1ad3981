// Owns a window that no parent destroys: destroys it exactly once.
#pragma once

#include <windows.h>

namespace Wexo::Ui {

class UniqueWindow {
public:
    UniqueWindow() = default;
    explicit UniqueWindow(HWND window) : window_(window) {}
    ~UniqueWindow() { Reset(); }
    UniqueWindow(const UniqueWindow&) = delete;
    UniqueWindow& operator=(const UniqueWindow&) = delete;

    HWND Get() const { return window_; }
    void Reset(HWND window = nullptr) {
        if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
        window_ = window;
    }

private:
    HWND window_ = nullptr;
};

}  // namespace Wexo::Ui
