#include "ui/radio_group.h"

namespace Wexo::Ui {

namespace {

constexpr char kClassName[] = "WexoRadioGroup";
constexpr int kFirstItemId = 1;

}  // namespace

RadioGroup::RadioGroup(HINSTANCE instance, HWND parent, int id, const RECT& bounds,
                       const std::vector<std::string>& items, int itemIndex, HFONT font, ExceptionSink& sink)
    : itemIndex_(-1), colour_(GetSysColor(COLOR_BTNFACE)), brush_(CreateSolidBrush(colour_)), font_(font) {
    RegisterClass(instance, kClassName, LoadCursor(nullptr, IDC_ARROW), nullptr);
    // Control parent: dialog navigation walks into the items.
    Create(instance, kClassName, "", WS_CHILD | WS_VISIBLE | WS_GROUP | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, bounds,
           parent, id, sink);

    // Items share the height below the frame's top line, one below the other.
    const TEXTMETRICA metrics = TextMetricsOf(Handle(), font_);
    const int count = static_cast<int>(items.size());
    const int width = bounds.right - bounds.left;
    const int usable = (bounds.bottom - bounds.top) - metrics.tmHeight - 5;
    const int itemHeight = usable / count;
    const int topMargin = metrics.tmHeight + 1 + (usable % count) / 2;
    for (int i = 0; i < count; ++i) {
        HWND item = CreateWindowExA(0, "BUTTON", items[static_cast<std::size_t>(i)].c_str(),
                                    WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0), 8,
                                    topMargin + i * itemHeight, width - 10, itemHeight, Handle(),
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstItemId + i)), instance, nullptr);
        SendMessageA(item, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        items_.push_back(item);
    }
    SetItemIndex(itemIndex);
}

void RadioGroup::SetItemIndex(int index) {
    itemIndex_ = index;
    for (int i = 0; i < ItemCount(); ++i) {
        SendMessageA(Item(i), BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
        // Tab enters the group at its selected item, or at the first while none is selected.
        const bool tabStop = i == (index < 0 ? 0 : index);
        LONG_PTR style = GetWindowLongPtrA(Item(i), GWL_STYLE);
        style = tabStop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        SetWindowLongPtrA(Item(i), GWL_STYLE, style);
    }
}

void RadioGroup::SetEnabled(bool enabled) {
    EnableWindow(Handle(), enabled);
    for (HWND item : items_) EnableWindow(item, enabled);
}

void RadioGroup::SetColour(COLORREF colour) {
    colour_ = colour;
    brush_.Reset(CreateSolidBrush(colour));
    InvalidateRect(Handle(), nullptr, TRUE);
    for (HWND item : items_) InvalidateRect(item, nullptr, TRUE);
}

void RadioGroup::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, brush_.Get());
    // The frame starts half a text line down, where a caption would sit.
    const TEXTMETRICA metrics = TextMetricsOf(Handle(), font_);
    RECT frame = client;
    frame.top = metrics.tmHeight / 2 - 1;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
}

LRESULT RadioGroup::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (HandlePaint(message, wParam, [this](HDC dc) { Paint(dc); })) return 0;
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            // Items take the group's colour as their background.
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, colour_);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(brush_.Get());
        }
        case WM_COMMAND: {
            // Items check themselves (so that the arrow keys choose too); the group decides.
            const int index = LOWORD(wParam) - kFirstItemId;
            const int code = HIWORD(wParam);
            if (code != BN_CLICKED && code != BN_DOUBLECLICKED) return 0;
            // Nothing is chosen in a disabled group, whatever its items are sent.
            const bool chosen = IsWindowEnabled(Handle()) && index >= 0 && index < ItemCount() && index != itemIndex_;
            SetItemIndex(chosen ? index : itemIndex_);
            if (chosen) {
                SendMessageA(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Handle()), BN_CLICKED),
                             reinterpret_cast<LPARAM>(Handle()));
            }
            return 0;
        }
    }
    return DefaultProcedure(message, wParam, lParam);
}

}  // namespace Wexo::Ui
