#include "ui/hint.h"

#include <commctrl.h>

namespace Wexo::Ui {

Hint::Hint(HINSTANCE instance, HWND owner, HWND control) : owner_(owner), control_(control) {
    // Not owned by the window: an owned top-layer popup keeps its owner out of the top layer under some window
    // managers, and the window must be able to go there.
    tooltip_.Reset(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                                   nullptr, nullptr, instance, nullptr));
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control_);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tooltip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Hint::Set(const std::wstring& text) {
    text_ = text;
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control_);
    tool.lpszText = text_.data();
    SendMessageW(tooltip_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace Wexo::Ui
