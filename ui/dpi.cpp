#include "ui/dpi.h"

#include "platform/newer_user32.h"

namespace Wexo::Ui {

unsigned SystemDpi() {
    using GetDpiForSystemFunction = UINT(WINAPI*)();
    static const auto getDpiForSystem = NewerUser32Call<GetDpiForSystemFunction>("GetDpiForSystem");
    if (getDpiForSystem != nullptr) return getDpiForSystem();
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<unsigned>(dpi) : kDesignDpi;
}

unsigned WindowDpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = NewerUser32Call<GetDpiForWindowFunction>("GetDpiForWindow");
    const unsigned dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
    return dpi != 0 ? dpi : SystemDpi();
}

RECT FrameAround(const RECT& client, DWORD style, DWORD exStyle, unsigned dpi) {
    using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = NewerUser32Call<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
    RECT frame = client;
    if (adjustForDpi == nullptr || !adjustForDpi(&frame, style, FALSE, exStyle, dpi)) {
        frame = client;
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return frame;
}

}  // namespace Wexo::Ui
