// A window-less control of the classic kind, here as a small child window: a one-line label that
// sizes itself to its text, or a picture stretched to its bounds. Tells its parent of mouse presses,
// releases and clicks, as WM_COMMAND with its id; a click is a left release over the control after a left press
// on it.
#pragma once

#include <windows.h>

#include <string>

#include "ui/window_base.h"

namespace Wexo::Ui {

// Notification codes of the control's WM_COMMAND.
inline constexpr WORD kClicked = STN_CLICKED;
inline constexpr WORD kPressed = 0x0100;   // any mouse button
inline constexpr WORD kReleased = 0x0101;  // any mouse button

class GraphicControl : public WindowBase<GraphicControl> {
public:
    struct Look {
        HFONT font = nullptr;  // borrowed
        COLORREF colour = 0;
        HBITMAP picture = nullptr;  // borrowed; a label when null
    };

    GraphicControl(HINSTANCE instance, HWND parent, int id, const RECT& bounds, const std::string& text,
                   const Look& look, ExceptionSink& sink);

    void SetCaption(const std::string& text);
    std::string Caption() const;
    void SetColour(COLORREF colour);
    void SetCursor(HCURSOR cursor) { cursor_ = cursor; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void FitToText();
    void Paint(HDC dc);
    void MouseUp(bool left, LPARAM position);
    void Notify(WORD code);

    Look look_;
    HCURSOR cursor_ = nullptr;
};

}  // namespace Wexo::Ui
