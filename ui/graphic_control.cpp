#include "ui/graphic_control.h"

#include "platform/system_path.h"
#include "ui/gdi.h"

namespace Wexo::Ui {

namespace {

constexpr wchar_t kClassName[] = L"WexoGraphicControl";

}  // namespace

GraphicControl::GraphicControl(HINSTANCE instance, HWND parent, int id, const RECT& bounds, const Text& text,
                               unsigned codePage, const Look& look, ExceptionSink& sink)
    : look_(look), caption_(text), shown_(FromCodePage(text, codePage)) {
    RegisterClass(instance, kClassName, LoadCursor(nullptr, IDC_ARROW), nullptr);
    Create(instance, kClassName, shown_, WS_CHILD | WS_VISIBLE, 0, bounds, parent, id, sink);
    if (look_.picture == nullptr) FitToText();
}

void GraphicControl::SetCaption(const Text& text, unsigned codePage) {
    caption_ = text;
    shown_ = FromCodePage(text, codePage);
    SetWindowTextW(Handle(), shown_.c_str());
    FitToText();
    InvalidateRect(Handle(), nullptr, TRUE);
}

void GraphicControl::Place(const RECT& bounds, HFONT font) {
    look_.font = font;
    MoveWindow(Handle(), bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
    if (look_.picture == nullptr) FitToText();
}

void GraphicControl::SetColour(COLORREF colour) {
    look_.colour = colour;
    InvalidateRect(Handle(), nullptr, TRUE);
    UpdateWindow(Handle());
}

// A label is as wide as its text and as high as the font's line; an empty one as wide as a blank.
void GraphicControl::FitToText() {
    const std::wstring text = shown_.empty() ? L" " : shown_;
    SIZE size{};
    {
        WindowDc dc(Handle());
        ScopedSelect font(dc.Dc(), look_.font);
        GetTextExtentPoint32W(dc.Dc(), text.c_str(), static_cast<int>(text.size()), &size);
    }
    // A line is as high as the font's characters: the leading some fonts reserve above them for accents would
    // push a label into the one below, where the form's rows lie a character height apart.
    const TEXTMETRICA metrics = TextMetricsOf(Handle(), look_.font);
    textTop_ = -metrics.tmInternalLeading;
    SetWindowPos(Handle(), nullptr, 0, 0, size.cx, metrics.tmHeight - metrics.tmInternalLeading,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void GraphicControl::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (look_.picture != nullptr) {
        BITMAP info{};
        GetObject(look_.picture, sizeof(info), &info);
        MemoryDc memory(dc);
        ScopedSelect picture(memory.Dc(), look_.picture);
        // At the designed size the picture's pixels are kept as they are; larger, it is smoothed.
        const bool designed = client.right <= info.bmWidth * 3 / 2;
        SetStretchBltMode(dc, designed ? COLORONCOLOR : HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, 0, 0, client.right, client.bottom, memory.Dc(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        return;
    }
    ScopedSelect font(dc, look_.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, look_.colour);
    TextOutW(dc, 0, textTop_, shown_.c_str(), static_cast<int>(shown_.size()));
}

void GraphicControl::MouseUp(bool left, LPARAM position) {
    if (left) {
        const bool captured = GetCapture() == Handle();
        if (captured) ReleaseCapture();
        RECT client;
        GetClientRect(Handle(), &client);
        const POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
        // The click comes first, so the link keeps its pressed colour while the click acts.
        if (captured && PtInRect(&client, point)) Notify(kClicked);
    }
    Notify(kReleased);
}

void GraphicControl::Notify(WORD code) {
    SendMessageW(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Handle()), code),
                 reinterpret_cast<LPARAM>(Handle()));
}

LRESULT GraphicControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (HandlePaint(message, wParam, [this](HDC dc) { Paint(dc); })) return 0;
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_SETCURSOR:
            if (cursor_ != nullptr && LOWORD(lParam) == HTCLIENT) {
                ::SetCursor(cursor_);
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN:
            // The control keeps the mouse until the left button is released, wherever that is.
            SetCapture(Handle());
            Notify(kPressed);
            return 0;
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            Notify(kPressed);
            return 0;
        case WM_LBUTTONUP:
            MouseUp(true, lParam);
            return 0;
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            MouseUp(false, lParam);
            return 0;
    }
    return DefaultProcedure(message, wParam, lParam);
}

}  // namespace Wexo::Ui
