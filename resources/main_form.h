// The main window's form: the window and its components, in the order they are created (later
// ones lie on top of earlier ones). Sizes are client pixels at 96 dots per inch. Behaviour code
// names components by their Id, never by position.
#pragma once

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

enum class Kind { Label, Image, Button, RadioGroup, RadioButton, OpenDialog };
enum class Colour { WindowText, Red, Blue, Olive };
enum FontStyle : unsigned { kPlain = 0, kUnderline = 1, kItalic = 2 };

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

struct Component {
    Id id;
    const char* name;
    Kind kind;
    Bounds bounds;
    const char* text;  // caption; for a radio group its items, separated by '\n'
    Colour colour;
    unsigned fontStyle;
    int tabOrder;   // -1: takes no focus by tab
    int itemIndex;  // radio group: selected item, -1 none; radio button: 1 checked
    bool enabled;
};

// The maker's notice.
inline constexpr char kCopyright[] = "(C) 2001-2026 Taskerand";

inline constexpr Component kComponents[kComponentCount] = {
    {TargetLabel, "TargetLabel", Kind::Label, {16, 8, 65, 12}, "ﾀｰｹﾞｯﾄﾌｧｲﾙ", Colour::Blue, kUnderline, -1, 0, true},
    {BrowsLabel, "BrowsLabel", Kind::Label, {16, 28, 60, 12}, "ｼｽﾃﾑﾌｫﾙﾀﾞ", Colour::Blue, kUnderline, -1, 0, true},
    {TargetName,
     "TargetName",
     Kind::Label,
     {92, 8, 155, 12},
     "ファイルをドロップしてください。",
     Colour::Red,
     kPlain,
     -1,
     0,
     true},
    {SystemFolder, "SystemFolder", Kind::Label, {92, 28, 5, 12}, "", Colour::WindowText, kPlain, -1, 0, true},
    {LirroLabel,
     "LirroLabel",
     Kind::Label,
     {20, 148, 124, 12},
     "to Lirrowan",
     Colour::Blue,
     kItalic | kUnderline,
     -1,
     0,
     true},
    {Copyright, "Copyright", Kind::Label, {16, 136, 130, 12}, kCopyright, Colour::Olive, kPlain, -1, 0, true},
    {Help, "Help", Kind::Image, {280, 8, 24, 24}, "HELPPICTURE", Colour::WindowText, kPlain, -1, 0, true},
    {ExecButton, "ExecButton", Kind::Button, {160, 136, 75, 25}, "開始", Colour::WindowText, kPlain, 2, 0, false},
    {ExitButton, "ExitButton", Kind::Button, {240, 136, 75, 25}, "終了", Colour::WindowText, kPlain, 3, 0, true},
    {UnregistGroup,
     "UnregistGroup",
     Kind::RadioGroup,
     {164, 60, 149, 69},
     "そのまま\nﾌｧｲﾙの削除",
     Colour::WindowText,
     kPlain,
     4,
     0,
     true},
    {UnregistSide,
     "UnregistSide",
     Kind::RadioButton,
     {180, 60, 49, 15},
     "解除",
     Colour::WindowText,
     kPlain,
     1,
     0,
     true},
    {RegistGroup,
     "RegistGroup",
     Kind::RadioGroup,
     {8, 60, 149, 69},
     "ここから\nｼｽﾃﾑﾌｫﾙﾀﾞへｺﾋﾟｰ\nｼｽﾃﾑﾌｫﾙﾀﾞへ移動",
     Colour::WindowText,
     kPlain,
     5,
     -1,
     true},
    {RegistSide, "RegistSide", Kind::RadioButton, {24, 60, 49, 15}, "登録", Colour::WindowText, kPlain, 0, 1, true},
    {OpenDialog, "OpenDialog", Kind::OpenDialog, {0, 0, 0, 0}, "", Colour::WindowText, kPlain, -1, 0, true},
};

// The file-open dialog: filter pairs of description and pattern.
inline constexpr char kOpenFilter[] = "ﾀﾞｲﾅﾐｯｸﾘﾝｸﾗｲﾌﾞﾗﾘ(*.dll)|*.dll|ActiveX Control(*.ocx)|*.ocx";

// Control identifiers in WM_COMMAND and for GetDlgItem.
constexpr int ControlId(Id id) { return 100 + static_cast<int>(id); }

}  // namespace Wexo::Form

namespace Wexo::Form {

// The etched line between the path rows and the option groups: dark on this row, light below.
inline constexpr int kSeparatorRow = 48;

}  // namespace Wexo::Form
