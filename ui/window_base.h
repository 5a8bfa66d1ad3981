// The classic one-class-per-window pattern: a static procedure finds the object stored at
// WM_NCCREATE and forwards to its HandleMessage. A class that sets kDialogManager leaves what it does not handle
// to the system's dialog manager (keys, focus, default button) instead of the plain default procedure. No exception
// crosses into Windows: whatever a handler throws is shown by the sink and the message counts as handled.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

#include "ui/gdi.h"

namespace Wexo::Ui {

class ExceptionSink {
public:
    virtual void ShowException(const char* message) = 0;

protected:
    ~ExceptionSink() = default;
};

template <typename Derived>
class WindowBase {
public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    HWND Handle() const { return window_; }

    static constexpr bool kDialogManager = false;

protected:
    ~WindowBase() {
        if (window_ != nullptr) {
            SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
            DestroyWindow(window_);
        }
    }

    // Registers the class once per process; later calls find it there.
    static void RegisterClass(HINSTANCE instance, const wchar_t* className, HCURSOR cursor, HBRUSH background,
                              HICON icon = nullptr, HICON smallIcon = nullptr) {
        WNDCLASSEXW existing{};
        existing.cbSize = sizeof(existing);
        if (GetClassInfoExW(instance, className, &existing)) return;
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &WindowBase::Procedure;
        windowClass.cbWndExtra = Derived::kDialogManager ? DLGWINDOWEXTRA : 0;
        windowClass.hInstance = instance;
        windowClass.hCursor = cursor;
        windowClass.hbrBackground = background;
        windowClass.lpszClassName = className;
        windowClass.hIcon = icon;
        windowClass.hIconSm = smallIcon;
        RegisterClassExW(&windowClass);
    }

    // Unicode windows: the program's texts reach the screen whatever the system's code page.
    HWND Create(HINSTANCE instance, const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle,
                const RECT& bounds, HWND parent, int id, ExceptionSink& sink) {
        sink_ = &sink;
        CreateWindowExW(exStyle, className, text.c_str(), style, bounds.left, bounds.top, bounds.right - bounds.left,
                        bounds.bottom - bounds.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                        static_cast<Derived*>(this));
        return window_;
    }

    static LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return Derived::kDialogManager ? DefDlgProcW(window, message, wParam, lParam)
                                       : DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefaultProcedure(window_, message, wParam, lParam);
    }

    // Paints on WM_PAINT, and on the DC a capture gives with WM_PRINTCLIENT; false for any
    // other message.
    template <typename Paint>
    bool HandlePaint(UINT message, WPARAM wParam, Paint paint) {
        if (message == WM_PAINT) {
            PaintScope scope(window_);
            paint(scope.Dc());
            return true;
        }
        if (message == WM_PRINTCLIENT) {
            paint(reinterpret_cast<HDC>(wParam));
            return true;
        }
        return false;
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            self->window_ = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        }
        if (self == nullptr) return DefaultProcedure(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            // The window is gone; the object may outlive it.
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            self->window_ = nullptr;
            return DefaultProcedure(window, message, wParam, lParam);
        }
        try {
            return self->HandleMessage(message, wParam, lParam);
        } catch (const std::exception& error) {
            self->sink_->ShowException(error.what());
        } catch (...) {
            self->sink_->ShowException("Unknown error");
        }
        return 0;
    }

    HWND window_ = nullptr;
    ExceptionSink* sink_ = nullptr;
};

}  // namespace Wexo::Ui
