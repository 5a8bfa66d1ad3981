// The main window's form: the window and each of its components whole, in the order they are created (later
// ones lie on top of earlier ones). Sizes are client pixels at 96 dots per inch. Behaviour code names components
// by their Id, never by position; the handlers are the form class's own, named in the row.
#pragma once

#include <variant>

namespace Wexo::Form {

struct Bounds {
    int left;
    int top;
    int width;
    int height;
};

inline constexpr char kCaption[] = "WEXO2 [ja] v1.0";
inline constexpr Bounds kWindow = {228, 128, 324, 167};  // position on screen, client size
inline constexpr char kFontFace[] = "ＭＳ Ｐゴシック";
inline constexpr int kFontHeight = -12;
// The etched line between the path rows and the option groups: dark on this row, light below.
inline constexpr int kSeparatorRow = 48;

enum class Colour { WindowText, ButtonFace, Red, Blue, Olive, Lime, Yellow };
enum FontStyle : unsigned { kPlain = 0, kUnderline = 1, kItalic = 2 };
enum Style : unsigned { kNone = 0, kTabStop = 1, kGroup = 2, kDefault = 4, kDisabled = 8, kChecked = 16 };

// A mode button and its option group wear one colour: lime while their side is chosen.
inline constexpr Colour kActiveSide = Colour::Lime;
inline constexpr Colour kInactiveSide = Colour::ButtonFace;
// A link while the mouse button is held on it, and after.
inline constexpr Colour kLinkPressed = Colour::Yellow;
inline constexpr Colour kLinkReleased = Colour::Blue;

enum Id {
    TargetLabel,
    BrowsLabel,
    TargetName,
    SystemFolder,
    LirroLabel,
    Copyright,
    Help,
    ExecButton,
    ExitButton,
    UnregistGroup,
    UnregistSide,
    RegistGroup,
    RegistSide,
    OpenDialog,
    kComponentCount
};

// One creation struct per kind of component.
struct Label {
    const char* text;
    Colour colour = Colour::WindowText;
    unsigned font = kPlain;
    bool link = false;  // changes colour while pressed
};
struct Image {
    const char* picture;  // bitmap resource, stretched to the bounds
};
struct Button {
    const char* text;
    unsigned style = kNone;
};
struct RadioButton {
    const char* text;
    unsigned style = kNone;
};
struct RadioGroup {
    const char* items;  // separated by '\n', one below the other
    int itemIndex;      // -1: none selected
};
struct FileDialog {
    const char* filter;  // description and pattern pairs, separated by '|'
};
using Kind = std::variant<Label, Image, Button, RadioButton, RadioGroup, FileDialog>;

// A component and the form's handler of its click (none when null).
template <typename Owner>
struct Component {
    Id id;
    Bounds bounds;
    int tabOrder;  // -1: takes no focus by tab
    Kind kind;
    void (Owner::*onClick)();
};

// The maker's notice.
inline constexpr char kCopyright[] = "(C) 2001-26 Taskerand";
inline constexpr bool kLink = true;

template <typename Owner>
inline constexpr Component<Owner> kComponents[kComponentCount] = {
    // clang-format off
    {TargetLabel,   {16, 8, 65, 12},    -1, Label{"ﾀｰｹﾞｯﾄﾌｧｲﾙ", Colour::Blue, kUnderline, kLink},           &Owner::TargetLabelClick},
    {BrowsLabel,    {16, 28, 60, 12},   -1, Label{"ｼｽﾃﾑﾌｫﾙﾀﾞ", Colour::Blue, kUnderline, kLink},            &Owner::BrowsLabelClick},
    {TargetName,    {92, 8, 155, 12},   -1, Label{"ファイルをドロップしてください。", Colour::Red},          nullptr},
    {SystemFolder,  {92, 28, 5, 12},    -1, Label{""},                                                    nullptr},
    {LirroLabel,    {20, 148, 124, 12}, -1, Label{"to Lirrowan", Colour::Blue, kItalic | kUnderline, kLink}, &Owner::LirroLabelClick},
    {Copyright,     {16, 136, 130, 12}, -1, Label{kCopyright, Colour::Olive},                             nullptr},
    {Help,          {280, 8, 24, 24},   -1, Image{"HELPPICTURE"},                                         &Owner::HelpClick},
    {ExecButton,    {160, 136, 75, 25},  2, Button{"開始", kTabStop | kGroup | kDefault | kDisabled},      &Owner::ExecButtonClick},
    {ExitButton,    {240, 136, 75, 25},  3, Button{"終了", kTabStop | kGroup},                             &Owner::ExitButtonClick},
    {UnregistGroup, {164, 60, 149, 69},  4, RadioGroup{"そのまま\nﾌｧｲﾙの削除", 0},                         &Owner::GroupClick},
    {UnregistSide,  {180, 60, 49, 15},   1, RadioButton{"解除"},                                          &Owner::UnregistSideClick},
    {RegistGroup,   {8, 60, 149, 69},    5, RadioGroup{"ここから\nｼｽﾃﾑﾌｫﾙﾀﾞへｺﾋﾟｰ\nｼｽﾃﾑﾌｫﾙﾀﾞへ移動", -1},     &Owner::GroupClick},
    {RegistSide,    {24, 60, 49, 15},    0, RadioButton{"登録", kTabStop | kGroup | kChecked},             &Owner::RegistSideClick},
    {OpenDialog,    {0, 0, 0, 0},       -1, FileDialog{"ﾀﾞｲﾅﾐｯｸﾘﾝｸﾗｲﾌﾞﾗﾘ(*.dll)|*.dll|ActiveX Control(*.ocx)|*.ocx"}, nullptr},
    // clang-format on
};

// Control identifiers in WM_COMMAND and for GetDlgItem.
constexpr int ControlId(Id id) { return 100 + static_cast<int>(id); }

}  // namespace Wexo::Form
