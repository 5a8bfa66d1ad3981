#include "ui/main.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "ui/boxes.h"

namespace Wexo::Ui {

namespace {

constexpr char kClassName[] = "TMainForm";

// Colours by their classic names.
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kOlive = RGB(128, 128, 0);
constexpr COLORREF kLime = RGB(0, 255, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kGray = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);

constexpr char kNoSystemFolder[] = "システムディレクトリが取得できませんでした";
constexpr char kNotAServer[] = "これはOCXまたはDLLではありません";
constexpr char kDropPrompt[] = "ファイルをドロップしてください";
constexpr char kManual[] = "manual.html";
constexpr char kNotFound[] = "が見つかりません";
constexpr char kUnusableName[] =
    "このファイル名はこのシステムでは使えません。\n"
    "使えない文字を含んでいます。ファイル名を変更してから、もう一度指定してください。";
constexpr char kPathTooLong[] =
    "パスが長すぎます (259 バイトまで)。\nファイルを短いパスのフォルダーに移してから、もう一度指定してください。";

COLORREF ColourOf(Form::Colour colour) {
    switch (colour) {
        case Form::Colour::Red:
            return kRed;
        case Form::Colour::Blue:
            return kBlue;
        case Form::Colour::Olive:
            return kOlive;
        case Form::Colour::WindowText:
            break;
    }
    return GetSysColor(COLOR_WINDOWTEXT);
}

RECT BoundsOf(const Form::Bounds& bounds) {
    return {bounds.left, bounds.top, bounds.left + bounds.width, bounds.top + bounds.height};
}

HFONT MakeFont(unsigned style) {
    return CreateFontA(Form::kFontHeight, 0, 0, 0, FW_NORMAL, (style & Form::kItalic) != 0,
                       (style & Form::kUnderline) != 0, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Form::kFontFace);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (end > start || end < text.size()) lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void SetStyleBit(HWND window, LONG_PTR bit, bool on) {
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    SetWindowLongPtrA(window, GWL_STYLE, on ? (style | bit) : (style & ~bit));
}

}  // namespace

TMainForm::TMainForm(const FormEnvironment& environment)
    : environment_(environment),
      rules_(environment.leadBytes),
      font_(MakeFont(Form::kPlain)),
      linkFont_(MakeFont(Form::kUnderline)),
      italicLinkFont_(MakeFont(Form::kItalic | Form::kUnderline)),
      activeBrush_(CreateSolidBrush(kLime)),
      inactiveBrush_(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))),
      OpenDialog(Form::kOpenFilter) {
    HINSTANCE instance = environment_.instance;
    auto icon = static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON, 32, 32, LR_SHARED));
    auto smallIcon = static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON, 16, 16, LR_SHARED));
    RegisterClass(instance, kClassName, LoadCursor(nullptr, IDC_ARROW), GetSysColorBrush(COLOR_BTNFACE), icon,
                  smallIcon);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame = {0, 0, Form::kWindow.width, Form::kWindow.height};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    OffsetRect(&frame, Form::kWindow.left - frame.left, Form::kWindow.top - frame.top);
    Create(instance, kClassName, Form::kCaption, style, 0, frame, nullptr, 0, *this);
    CreateComponents();

    TargetPath_.clear();
    Text folder;
    if (environment_.services.GetSystemDirectoryA(folder)) {
        SystemFolder_->SetCaption(folder);
    } else {
        ShowMessage(kNoSystemFolder);
    }
    SelectMode(true);
    environment_.services.DragAcceptFiles(Handle(), true);
}

TMainForm::~TMainForm() {
    // Children first, while the fonts and brushes they use still exist.
    if (Handle() != nullptr) DestroyWindow(Handle());
}

std::unique_ptr<GraphicControl> TMainForm::CreateLabel(const Form::Component& component) {
    GraphicControl::Look look;
    look.font = component.fontStyle == Form::kPlain       ? font_.Get()
                : component.fontStyle == Form::kUnderline ? linkFont_.Get()
                                                          : italicLinkFont_.Get();
    look.colour = ColourOf(component.colour);
    if (component.kind == Form::Kind::Image) {
        helpPicture_.Reset(static_cast<HBITMAP>(
            LoadImageA(environment_.instance, component.text, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
        look.picture = helpPicture_.Get();
    }
    const std::string text = component.kind == Form::Kind::Image ? "" : component.text;
    return std::make_unique<GraphicControl>(environment_.instance, Handle(), Form::ControlId(component.id),
                                            BoundsOf(component.bounds), text, look, *this);
}

HWND TMainForm::CreateButton(const Form::Component& component, DWORD style) {
    const RECT bounds = BoundsOf(component.bounds);
    HWND button = CreateWindowExA(0, "BUTTON", component.text, WS_CHILD | WS_VISIBLE | style, bounds.left, bounds.top,
                                  component.bounds.width, component.bounds.height, Handle(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(Form::ControlId(component.id))),
                                  environment_.instance, nullptr);
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    EnableWindow(button, component.enabled);
    return button;
}

std::unique_ptr<RadioGroup> TMainForm::CreateGroup(const Form::Component& component) {
    return std::make_unique<RadioGroup>(environment_.instance, Handle(), Form::ControlId(component.id),
                                        BoundsOf(component.bounds), Lines(component.text), component.itemIndex,
                                        font_.Get(), *this);
}

void TMainForm::CreateComponents() {
    for (const Form::Component& c : Form::kComponents) {
        switch (c.id) {
            case Form::TargetLabel:
                TargetLabel = CreateLabel(c);
                break;
            case Form::BrowsLabel:
                BrowsLabel = CreateLabel(c);
                break;
            case Form::TargetName:
                TargetName = CreateLabel(c);
                break;
            case Form::SystemFolder:
                SystemFolder_ = CreateLabel(c);
                break;
            case Form::LirroLabel:
                LirroLabel = CreateLabel(c);
                break;
            case Form::Copyright:
                Copyright = CreateLabel(c);
                break;
            case Form::Help:
                Help = CreateLabel(c);
                break;
            case Form::ExecButton:
                // The default button: Enter presses it while no other button has the focus.
                ExecButton = CreateButton(c, WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON | BS_NOTIFY);
                break;
            case Form::ExitButton:
                ExitButton = CreateButton(c, WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON | BS_NOTIFY);
                break;
            case Form::UnregistGroup:
                UnregistGroup = CreateGroup(c);
                break;
            case Form::UnregistSide:
                UnregistSide = CreateButton(c, BS_AUTORADIOBUTTON);
                break;
            case Form::RegistGroup:
                RegistGroup = CreateGroup(c);
                break;
            case Form::RegistSide:
                // The pair of mode buttons forms one group of its own.
                RegistSide = CreateButton(c, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP);
                break;
            case Form::OpenDialog:
            case Form::kComponentCount:
                break;
        }
    }
    SendMessageA(RegistSide, BM_SETCHECK, BST_CHECKED, 0);

    TargetLabel->onClick = [this] { TargetLabelClick(); };
    BrowsLabel->onClick = [this] { BrowsLabelClick(); };
    LirroLabel->onClick = [this] { LirroLabelClick(); };
    Help->onClick = [this] { HelpClick(); };
    for (GraphicControl* link : {TargetLabel.get(), BrowsLabel.get(), LirroLabel.get()}) {
        link->onMouseDown = [this, link] { BrowsLabelMouseDown(*link); };
        link->onMouseUp = [this, link] { BrowsLabelMouseUp(*link); };
    }
    RegistGroup->onClick = [this] { GroupClick(); };
    UnregistGroup->onClick = [this] { GroupClick(); };

    // Windows keeps tab order and stacking in one list, topmost first: the components in tab
    // order, then the others with later ones on top.
    std::vector<HWND> order(Form::kComponentCount, nullptr);
    std::vector<HWND> rest;
    for (const Form::Component& c : Form::kComponents) {
        HWND window = GetDlgItem(Handle(), Form::ControlId(c.id));
        if (window == nullptr) continue;
        if (c.tabOrder >= 0) {
            order[static_cast<std::size_t>(c.tabOrder)] = window;
        } else {
            rest.insert(rest.begin(), window);
        }
    }
    order.insert(order.end(), rest.begin(), rest.end());
    for (HWND window : order) {
        if (window != nullptr) SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    // Not owned by the window: an owned top-layer popup keeps its owner out of the top layer
    // under some window managers, and this window must be able to go there.
    tooltip_.Reset(CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                                   nullptr, nullptr, environment_.instance, nullptr));
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(TargetName->Handle());
    tool.lpszText = const_cast<char*>("");
    SendMessageA(tooltip_.Get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void TMainForm::FormCreate() {
    if (environment_.commandLine.ParamCount() >= 1) OfferTarget(environment_.commandLine.ParamStr(1));
    HCURSOR hand = environment_.cursors.Get(kHandCursor);
    for (GraphicControl* clickable : {TargetLabel.get(), BrowsLabel.get(), LirroLabel.get(), Help.get()}) {
        clickable->SetCursor(hand);
    }
    SetTopMost(true);
}

bool TMainForm::PreTranslateMessage(MSG& message) {
    if (Handle() == nullptr || (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd))) return false;
    if (message.message == WM_KEYDOWN && (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE)) {
        const bool modified = ((GetKeyState(VK_SHIFT) | GetKeyState(VK_CONTROL) | GetKeyState(VK_MENU)) & 0x8000) != 0;
        if (!modified) {
            HWND focus = GetFocus();
            if (message.wParam == VK_ESCAPE) {
                PressButton(ExitButton);
            } else {
                PressButton(focus == ExitButton || focus == ExecButton ? focus : ExecButton);
            }
        }
        return true;
    }
    return IsDialogMessageA(Handle(), &message) != 0;
}

void TMainForm::PressButton(HWND button) {
    if (!IsWindowEnabled(button)) return;
    if (button == ExecButton) {
        ExecButtonClick();
    } else if (button == ExitButton) {
        ExitButtonClick();
    }
}

bool TMainForm::IsRegistering() const { return SendMessageA(RegistSide, BM_GETCHECK, 0, 0) == BST_CHECKED; }

Placement TMainForm::PlacementOption() const { return static_cast<Placement>(RegistGroup->ItemIndex()); }

FollowUp TMainForm::FollowUpOption() const {
    return UnregistGroup->ItemIndex() == static_cast<int>(FollowUp::Delete) ? FollowUp::Delete : FollowUp::Keep;
}

void TMainForm::SetTopMost(bool on) { environment_.services.SetWindowPos(Handle(), on); }

bool TMainForm::OfferTarget(const std::wstring& path) {
    const SystemPath converted = environment_.services.ToSystemPath(path);
    if (converted.refusal == PathRefusal::None) return SetTarget(converted.path);
    RefuseTarget(converted.refusal == PathRefusal::TooLong ? kPathTooLong : kUnusableName);
    return false;
}

bool TMainForm::SetTarget(const Text& path) {
    if (!rules_.IsServerFile(path)) {
        RefuseTarget(kNotAServer);
        return false;
    }
    TargetName->SetCaption(rules_.DisplayNameOf(path));
    SetHint(path);
    TargetPath_ = path;
    const RadioGroup& active = IsRegistering() ? *RegistGroup : *UnregistGroup;
    if (active.ItemIndex() != -1) SetRunEnabled(true);
    return true;
}

void TMainForm::RefuseTarget(const char* message) {
    // The message must be seen even when the window is behind the one the file came from.
    environment_.services.SetForegroundWindow(Handle());
    ShowMessage(message);
}

void TMainForm::ClearTarget() {
    // The hint keeps showing the last target's path.
    TargetName->SetCaption(kDropPrompt);
    TargetPath_.clear();
    SetRunEnabled(false);
}

void TMainForm::SelectMode(bool registering) {
    registeringShown_ = registering;
    RadioGroup& active = registering ? *RegistGroup : *UnregistGroup;
    RadioGroup& inactive = registering ? *UnregistGroup : *RegistGroup;
    inactive.SetEnabled(false);
    inactive.SetColour(GetSysColor(COLOR_BTNFACE));
    active.SetEnabled(true);
    active.SetColour(kLime);
    // Tab reaches the mode pair at its checked button.
    SetStyleBit(RegistSide, WS_TABSTOP, registering);
    SetStyleBit(UnregistSide, WS_TABSTOP, !registering);
    InvalidateRect(RegistSide, nullptr, TRUE);
    InvalidateRect(UnregistSide, nullptr, TRUE);
    if (!TargetPath_.empty()) SetRunEnabled(active.ItemIndex() != -1);
}

void TMainForm::SetRunEnabled(bool enabled) {
    if (!enabled && GetFocus() == ExecButton) SendMessageA(Handle(), WM_NEXTDLGCTL, 0, FALSE);
    EnableWindow(ExecButton, enabled);
}

void TMainForm::SetHint(const Text& hint) {
    hint_ = hint;
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(TargetName->Handle());
    tool.lpszText = hint_.data();
    SendMessageA(tooltip_.Get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void TMainForm::WMDropFiles(HDROP drop) {
    const std::wstring path = environment_.services.DragQueryFileW(drop, 0);
    environment_.services.DragFinish(drop);
    OfferTarget(path);
}

void TMainForm::ShowMessage(const Text& message) { Ui::ShowMessage(Handle(), message, environment_.title); }

bool TMainForm::AskOkCancel(const Text& question, const Text& caption) {
    return Ui::AskOkCancel(Handle(), question, caption);
}

void TMainForm::ShowException(const char* message) { ShowStop(Handle(), Text(message) + ".", environment_.title); }

void TMainForm::FormPaint(HDC dc) {
    // A capture's DC comes unpainted; the window's own has the class background already.
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    DrawSeparator(dc, Form::kSeparatorRow);
}

void TMainForm::DrawSeparator(HDC dc, int row) {
    RECT client;
    GetClientRect(Handle(), &client);
    Pen dark(CreatePen(PS_SOLID, 1, kGray));
    Pen light(CreatePen(PS_SOLID, 1, kWhite));
    {
        ScopedSelect pen(dc, dark.Get());
        MoveToEx(dc, 0, row, nullptr);
        LineTo(dc, client.right, row);
    }
    ScopedSelect pen(dc, light.Get());
    MoveToEx(dc, 0, row + 1, nullptr);
    LineTo(dc, client.right, row + 1);
}

void TMainForm::BrowsLabelClick() { environment_.services.WinExec("explorer " + SystemFolder(), kShowNormal); }

void TMainForm::BrowsLabelMouseDown(GraphicControl& label) { label.SetColour(kYellow); }

void TMainForm::BrowsLabelMouseUp(GraphicControl& label) { label.SetColour(kBlue); }

void TMainForm::RegistSideClick() { SelectMode(true); }

void TMainForm::UnregistSideClick() { SelectMode(false); }

void TMainForm::GroupClick() {
    if (!TargetPath_.empty()) SetRunEnabled(true);
}

void TMainForm::ExecButtonClick() { RegistrationRun(*this, environment_.runServices).Execute(); }

void TMainForm::ExitButtonClick() { SendMessageA(Handle(), WM_CLOSE, 0, 0); }

void TMainForm::TargetLabelClick() {
    SetTopMost(false);
    if (OpenDialog.Execute(Handle())) OfferTarget(OpenDialog.FileName());
    SetTopMost(true);
}

void TMainForm::LirroLabelClick() {
    if (environment_.homePage.empty()) return;
    WindowServices& services = environment_.services;
    services.ShellExecuteA(services.GetDesktopWindow(), "open", environment_.homePage, "", "", kShow);
}

void TMainForm::HelpClick() {
    WindowServices& services = environment_.services;
    if (services.ShellExecuteA(services.GetDesktopWindow(), "open", kManual, "", "", kShow) != kShellFileNotFound)
        return;
    SetTopMost(false);
    ShowStop(Handle(), Text(kManual) + kNotFound, environment_.title);
    SetTopMost(true);
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (HandlePaint(message, wParam, [this](HDC dc) { FormPaint(dc); })) return 0;
    switch (message) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const HWND control = reinterpret_cast<HWND>(lParam);
            if (control != RegistSide && control != UnregistSide) break;
            const bool active = (control == RegistSide) == registeringShown_;
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, active ? kLime : GetSysColor(COLOR_BTNFACE));
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(active ? activeBrush_.Get() : inactiveBrush_.Get());
        }
        case WM_COMMAND: {
            const HWND control = reinterpret_cast<HWND>(lParam);
            const int code = HIWORD(wParam);
            if (code == BN_CLICKED) {
                if (control == RegistSide) RegistSideClick();
                if (control == UnregistSide) UnregistSideClick();
                if (control == ExecButton) ExecButtonClick();
                if (control == ExitButton) ExitButtonClick();
            } else if (control == ExitButton && (code == BN_SETFOCUS || code == BN_KILLFOCUS)) {
                // The focused button is the one Enter presses; show it as the default.
                const bool exitFocused = code == BN_SETFOCUS;
                SendMessageA(ExitButton, BM_SETSTYLE, exitFocused ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
                SendMessageA(ExecButton, BM_SETSTYLE, exitFocused ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON, TRUE);
            }
            return 0;
        }
        case WM_DROPFILES:
            WMDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_ACTIVATE:
            // The focus leaves with the window and comes back to where it was, at first to the
            // first control in tab order.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(Handle(), focus)) lastFocus_ = focus;
            } else {
                HWND target = lastFocus_ != nullptr && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_)
                                  ? lastFocus_
                                  : GetNextDlgTabItem(Handle(), nullptr, FALSE);
                if (target != nullptr) SetFocus(target);
            }
            return 0;
        case WM_NEXTDLGCTL: {
            // What a dialog would do; the dialog keys ask for it on Tab.
            HWND target =
                LOWORD(lParam) ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(Handle(), GetFocus(), wParam != 0);
            if (target != nullptr) SetFocus(target);
            return 0;
        }
        case WM_CLOSE:
            DestroyWindow(Handle());
            return 0;
        case WM_DESTROY:
            if (environment_.quitOnClose) PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(Handle(), message, wParam, lParam);
}

}  // namespace Wexo::Ui
