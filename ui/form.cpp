#include "ui/form.h"

#include <string>
#include <vector>

#include "platform/screen_text.h"
#include "ui/dpi.h"

namespace Wexo::Ui {

namespace {

std::vector<std::wstring> Lines(const std::string& text) {
    std::vector<std::wstring> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(FromOwnText(text.substr(start, end - start)));
        start = end + 1;
    }
    return lines;
}

// Window styles for the table's component styles.
DWORD StyleOf(unsigned style) {
    return ((style & Form::kTabStop) != 0 ? WS_TABSTOP : 0) | ((style & Form::kGroup) != 0 ? WS_GROUP : 0);
}

}  // namespace

COLORREF ColourOf(Form::Colour colour) {
    switch (colour) {
        case Form::Colour::ButtonFace:
            return GetSysColor(COLOR_BTNFACE);
        case Form::Colour::Red:
            return RGB(255, 0, 0);
        case Form::Colour::Blue:
            return RGB(0, 0, 255);
        case Form::Colour::Olive:
            return RGB(128, 128, 0);
        case Form::Colour::Lime:
            return RGB(0, 255, 0);
        case Form::Colour::Yellow:
            return RGB(255, 255, 0);
        case Form::Colour::WindowText:
            break;
    }
    return GetSysColor(COLOR_WINDOWTEXT);
}

Components::Components(HINSTANCE instance, ExceptionSink& sink) : instance_(instance), sink_(sink) {}

void Components::MakeFonts() {
    const std::wstring face = FromOwnText(Form::kFontFace);
    for (unsigned style = 0; style < fonts_.size(); ++style) {
        fonts_[style].Reset(CreateFontW(Scale(Form::kFontHeight, dpi_), 0, 0, 0, FW_NORMAL,
                                        (style & Form::kItalic) != 0, (style & Form::kUnderline) != 0, FALSE,
                                        SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                        DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
    }
}

RECT Components::Scaled(const Form::Bounds& bounds) const {
    const int left = Scale(bounds.left, dpi_);
    const int top = Scale(bounds.top, dpi_);
    return {left, top, left + Scale(bounds.width, dpi_), top + Scale(bounds.height, dpi_)};
}

void Components::Add(HWND parent, Form::Id id, const Form::Bounds& bounds, int tabOrder, const Form::Kind& kind,
                     bool clickable) {
    Part& part = parts_[id];
    part.bounds = bounds;
    part.tabOrder = tabOrder;
    part.clickable = clickable;
    if (const auto* label = std::get_if<Form::Label>(&kind)) {
        AddLabel(parent, part, id, *label);
    } else if (const auto* image = std::get_if<Form::Image>(&kind)) {
        AddImage(parent, part, id, *image);
    } else if (const auto* button = std::get_if<Form::Button>(&kind)) {
        const DWORD push = (button->style & Form::kDefault) != 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        // BS_NOTIFY: the form hears when a button takes the focus, to show which one Enter presses.
        AddButton(parent, part, id, button->text, push | BS_NOTIFY | StyleOf(button->style));
        EnableWindow(part.window, (button->style & Form::kDisabled) == 0);
        // The dialog manager presses the default button on Enter, and frames it.
        if ((button->style & Form::kDefault) != 0) SendMessageW(parent, DM_SETDEFID, Form::ControlId(id), 0);
    } else if (const auto* mode = std::get_if<Form::RadioButton>(&kind)) {
        AddButton(parent, part, id, mode->text, BS_AUTORADIOBUTTON | StyleOf(mode->style));
        if ((mode->style & Form::kChecked) != 0) SendMessageW(part.window, BM_SETCHECK, BST_CHECKED, 0);
    } else if (const auto* group = std::get_if<Form::RadioGroup>(&kind)) {
        part.group =
            std::make_unique<RadioGroup>(instance_, parent, Form::ControlId(id), Scaled(bounds), Lines(group->items),
                                         group->itemIndex, fonts_[Form::kPlain].Get(), dpi_, sink_);
        part.window = part.group->Handle();
    }
}

void Components::AddLabel(HWND parent, Part& part, Form::Id id, const Form::Label& label) {
    GraphicControl::Look look;
    part.font = label.font;
    look.font = fonts_[label.font].Get();
    look.colour = ColourOf(label.colour);
    part.link = label.link;
    part.label = std::make_unique<GraphicControl>(instance_, parent, Form::ControlId(id), Scaled(part.bounds),
                                                  label.text, kOwnCodePage, look, sink_);
    part.window = part.label->Handle();
}

void Components::AddImage(HWND parent, Part& part, Form::Id id, const Form::Image& image) {
    picture_.Reset(static_cast<HBITMAP>(LoadImageA(instance_, image.picture, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    GraphicControl::Look look;
    look.picture = picture_.Get();
    part.label = std::make_unique<GraphicControl>(instance_, parent, Form::ControlId(id), Scaled(part.bounds), "",
                                                  kOwnCodePage, look, sink_);
    part.window = part.label->Handle();
}

void Components::AddButton(HWND parent, Part& part, Form::Id id, const char* text, DWORD style) {
    const RECT bounds = Scaled(part.bounds);
    part.window =
        CreateWindowExW(0, L"BUTTON", FromOwnText(text).c_str(), WS_CHILD | WS_VISIBLE | style, bounds.left, bounds.top,
                        bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(Form::ControlId(id))), instance_, nullptr);
    SendMessageW(part.window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[Form::kPlain].Get()), FALSE);
}

void Components::LayOut(unsigned dpi) {
    dpi_ = dpi;
    // The old fonts stay selected in the controls until each has taken its new one.
    std::array<Font, 4> old = std::move(fonts_);
    MakeFonts();
    for (Part& part : parts_) {
        const RECT bounds = Scaled(part.bounds);
        HFONT font = fonts_[part.font].Get();
        if (part.label) {
            part.label->Place(bounds, font);
        } else if (part.group) {
            part.group->Place(bounds, font, dpi_);
        } else if (part.window != nullptr) {
            SendMessageW(part.window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            MoveWindow(part.window, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                       TRUE);
        }
    }
}

void Components::Arrange() {
    std::vector<HWND> order(parts_.size(), nullptr);
    std::vector<HWND> rest;
    for (const Part& part : parts_) {
        if (part.window == nullptr) continue;
        if (part.tabOrder >= 0) {
            order[static_cast<std::size_t>(part.tabOrder)] = part.window;
        } else {
            rest.insert(rest.begin(), part.window);
        }
    }
    order.insert(order.end(), rest.begin(), rest.end());
    for (HWND window : order) {
        if (window != nullptr) SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

Form::Id Components::IdOf(HWND window) const {
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        if (window != nullptr && parts_[i].window == window) return static_cast<Form::Id>(i);
    }
    return Form::kComponentCount;
}

void Components::SetBackground(Form::Id id, Form::Colour colour) {
    Part& part = parts_[id];
    part.coloured = true;
    part.background = colour;
    if (part.group) {
        part.group->SetColour(ColourOf(colour));
    } else {
        InvalidateRect(part.window, nullptr, TRUE);
    }
}

HBRUSH Components::PaintBackground(HWND control, HDC dc) {
    const Form::Id id = IdOf(control);
    if (id == Form::kComponentCount || !parts_[id].coloured) return nullptr;
    SetBkColor(dc, ColourOf(parts_[id].background));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return BrushOf(parts_[id].background);
}

void Components::SetClickCursor(HCURSOR cursor) {
    for (Part& part : parts_) {
        if (part.label && part.clickable) part.label->SetCursor(cursor);
    }
}

HBRUSH Components::BrushOf(Form::Colour colour) {
    Brush& brush = brushes_[static_cast<std::size_t>(colour)];
    if (brush.Get() == nullptr) brush.Reset(CreateSolidBrush(ColourOf(colour)));
    return brush.Get();
}

}  // namespace Wexo::Ui
