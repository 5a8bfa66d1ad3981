#include "ui/dpi.h"

namespace Wexo::Ui {

namespace {

template <typename Function>
Function User32(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 == nullptr ? nullptr
                             : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

}  // namespace

unsigned SystemDpi() {
    using GetDpiForSystemFunction = UINT(WINAPI*)();
    static const auto getDpiForSystem = User32<GetDpiForSystemFunction>("GetDpiForSystem");
    if (getDpiForSystem != nullptr) return getDpiForSystem();
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<unsigned>(dpi) : kDesignDpi;
}

unsigned WindowDpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32<GetDpiForWindowFunction>("GetDpiForWindow");
    const unsigned dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
    return dpi != 0 ? dpi : SystemDpi();
}

RECT FrameAround(const RECT& client, DWORD style, DWORD exStyle, unsigned dpi) {
    using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = User32<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
    RECT frame = client;
    if (adjustForDpi == nullptr || !adjustForDpi(&frame, style, FALSE, exStyle, dpi)) {
        frame = client;
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return frame;
}

}  // namespace Wexo::Ui
