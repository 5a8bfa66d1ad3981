#include "ui/radio_group.h"

#include "ui/dpi.h"

namespace Wexo::Ui {

namespace {

constexpr wchar_t kClassName[] = L"WexoRadioGroup";
constexpr int kFirstItemId = 1;

}  // namespace

RadioGroup::RadioGroup(HINSTANCE instance, HWND parent, int id, const RECT& bounds,
                       const std::vector<std::wstring>& items, int itemIndex, HFONT font, unsigned dpi,
                       ExceptionSink& sink)
    : itemIndex_(-1), colour_(GetSysColor(COLOR_BTNFACE)), brush_(CreateSolidBrush(colour_)), font_(font), dpi_(dpi) {
    RegisterClass(instance, kClassName, LoadCursor(nullptr, IDC_ARROW), nullptr);
    // Control parent: dialog navigation walks into the items.
    Create(instance, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_GROUP | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, bounds,
           parent, id, sink);
    for (std::size_t i = 0; i < items.size(); ++i) {
        items_.push_back(CreateWindowExW(
            0, L"BUTTON", items[i].c_str(), WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0), 0, 0,
            0, 0, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstItemId + i)), instance, nullptr));
    }
    LayOutItems();
    SetItemIndex(itemIndex);
}

void RadioGroup::Place(const RECT& bounds, HFONT font, unsigned dpi) {
    font_ = font;
    dpi_ = dpi;
    MoveWindow(Handle(), bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
    LayOutItems();
}

void RadioGroup::LayOutItems() {
    // Items share the height below the frame's top line, one below the other.
    RECT client;
    GetClientRect(Handle(), &client);
    const TEXTMETRICA metrics = TextMetricsOf(Handle(), font_);
    const int count = ItemCount();
    if (count == 0) return;
    const int usable = client.bottom - metrics.tmHeight - Scale(5, dpi_);
    const int itemHeight = usable / count;
    const int topMargin = metrics.tmHeight + Scale(1, dpi_) + (usable % count) / 2;
    for (int i = 0; i < count; ++i) {
        SendMessageW(Item(i), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        MoveWindow(Item(i), Scale(8, dpi_), topMargin + i * itemHeight, client.right - Scale(10, dpi_), itemHeight,
                   TRUE);
    }
}

void RadioGroup::SetItemIndex(int index) {
    itemIndex_ = index;
    for (int i = 0; i < ItemCount(); ++i) {
        SendMessageW(Item(i), BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
        // Tab enters the group at its selected item, or at the first while none is selected.
        const bool tabStop = i == (index < 0 ? 0 : index);
        LONG_PTR style = GetWindowLongPtrW(Item(i), GWL_STYLE);
        style = tabStop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        SetWindowLongPtrW(Item(i), GWL_STYLE, style);
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
                SendMessageW(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Handle()), BN_CLICKED),
                             reinterpret_cast<LPARAM>(Handle()));
            }
            return 0;
        }
    }
    return DefaultProcedure(message, wParam, lParam);
}

}  // namespace Wexo::Ui
