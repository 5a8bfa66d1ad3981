// A window-less control of the classic kind, here as a small child window: a one-line label that
// sizes itself to its text, or a picture stretched to its bounds. Tells its parent of mouse presses,
// releases and clicks, as WM_COMMAND with its id; a click is a left release over the control after a left press
// on it.
#pragma once

#include <windows.h>

#include <string>

#include "core/text.h"
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

    // `text` is in `codePage`: the program's own texts in Shift_JIS, paths in the ANSI code page.
    GraphicControl(HINSTANCE instance, HWND parent, int id, const RECT& bounds, const Text& text, unsigned codePage,
                   const Look& look, ExceptionSink& sink);

    void SetCaption(const Text& text, unsigned codePage);
    // The caption as it was set, in its code page.
    const Text& Caption() const { return caption_; }
    void SetColour(COLORREF colour);
    void SetCursor(HCURSOR cursor) { cursor_ = cursor; }
    // Moves the control; a label takes the font and fits itself to its text again.
    void Place(const RECT& bounds, HFONT font);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void FitToText();
    void Paint(HDC dc);
    void MouseUp(bool left, LPARAM position);
    void Notify(WORD code);

    Look look_;
    Text caption_;
    std::wstring shown_;  // the caption as drawn
    HCURSOR cursor_ = nullptr;
    int textTop_ = 0;  // where the text is drawn, above the top when the font has internal leading
};

}  // namespace Wexo::Ui
