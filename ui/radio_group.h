// A group of radio-button items in a frame without caption, filled with the group's colour.
// Tells its parent (BN_CLICKED with its id) only when the user selects an item that was not selected before.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/gdi.h"
#include "ui/window_base.h"

namespace Wexo::Ui {

class RadioGroup : public WindowBase<RadioGroup> {
public:
    RadioGroup(HINSTANCE instance, HWND parent, int id, const RECT& bounds, const std::vector<std::wstring>& items,
               int itemIndex, HFONT font, unsigned dpi, ExceptionSink& sink);

    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    // Disabling the group disables its items with it, so none can be selected.
    void SetEnabled(bool enabled);
    void SetColour(COLORREF colour);
    // Moves the group and lays its items out again in `font`, for `dpi`.
    void Place(const RECT& bounds, HFONT font, unsigned dpi);
    HWND Item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    int ItemCount() const { return static_cast<int>(items_.size()); }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void LayOutItems();
    void Paint(HDC dc);

    std::vector<HWND> items_;  // children, destroyed with the group
    int itemIndex_;
    COLORREF colour_;
    Brush brush_;
    HFONT font_;  // borrowed
    unsigned dpi_;
};

}  // namespace Wexo::Ui
