// The form's components, built from the form table and owned here: the labels and the picture as graphic
// controls, the buttons, the mode buttons and the option groups, with the fonts and brushes they share, the tab
// order and the stacking. Laid out at the window's DPI from the table's 96-DPI bounds. Behaviour code finds each
// component by its Id.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "resources/main_form.h"
#include "ui/gdi.h"
#include "ui/graphic_control.h"
#include "ui/radio_group.h"

namespace Wexo::Ui {

COLORREF ColourOf(Form::Colour colour);

class Components {
public:
    Components(HINSTANCE instance, ExceptionSink& sink);
    Components(const Components&) = delete;
    Components& operator=(const Components&) = delete;

    // Creates every component of `table` in `parent`, in table order, laid out for `dpi`.
    template <typename Owner>
    void Build(HWND parent, const Form::Component<Owner> (&table)[Form::kComponentCount], unsigned dpi) {
        dpi_ = dpi;
        MakeFonts();
        for (const Form::Component<Owner>& row : table) {
            Add(parent, row.id, row.bounds, row.tabOrder, row.kind, row.onClick != nullptr);
        }
        Arrange();
    }
    // Lays every component out again for another DPI.
    void LayOut(unsigned dpi);
    unsigned Dpi() const { return dpi_; }

    HWND Window(Form::Id id) const { return parts_[id].window; }
    // The component whose window this is; kComponentCount for any other window.
    Form::Id IdOf(HWND window) const;
    GraphicControl& Label(Form::Id id) const { return *parts_[id].label; }
    RadioGroup& Group(Form::Id id) const { return *parts_[id].group; }
    bool IsLink(Form::Id id) const { return parts_[id].link; }

    // The background of a mode button or an option group.
    void SetBackground(Form::Id id, Form::Colour colour);
    // For WM_CTLCOLORBTN: the brush of a component given a background, set up on `dc`; null for any other.
    HBRUSH PaintBackground(HWND control, HDC dc);
    // The cursor shown over the labels and the picture that can be clicked.
    void SetClickCursor(HCURSOR cursor);

private:
    struct Part {
        HWND window = nullptr;  // destroyed with the parent
        std::unique_ptr<GraphicControl> label;
        std::unique_ptr<RadioGroup> group;
        Form::Bounds bounds{};  // at 96 DPI
        unsigned font = Form::kPlain;
        int tabOrder = -1;
        bool link = false;
        bool clickable = false;
        bool coloured = false;
        Form::Colour background = Form::Colour::ButtonFace;
    };

    void MakeFonts();
    RECT Scaled(const Form::Bounds& bounds) const;
    void Add(HWND parent, Form::Id id, const Form::Bounds& bounds, int tabOrder, const Form::Kind& kind,
             bool clickable);
    void AddLabel(HWND parent, Part& part, Form::Id id, const Form::Label& label);
    void AddImage(HWND parent, Part& part, Form::Id id, const Form::Image& image);
    void AddButton(HWND parent, Part& part, Form::Id id, const char* text, DWORD style);
    // Windows keeps tab order and stacking in one list: the components in tab order, then the others with later
    // ones on top.
    void Arrange();
    HBRUSH BrushOf(Form::Colour colour);

    HINSTANCE instance_;
    ExceptionSink& sink_;
    unsigned dpi_ = 96;
    std::array<Font, 4> fonts_;     // by font style, at the current DPI
    std::array<Brush, 7> brushes_;  // by colour, made when first needed
    Bitmap picture_;
    std::array<Part, Form::kComponentCount> parts_;  // after the fonts and brushes: destroyed before them
};

}  // namespace Wexo::Ui
