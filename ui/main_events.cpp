// The main window's event handlers and its messages: what clicks, keys, drops and paints do.
#include "ui/main.h"

#include "ui/boxes.h"
#include "ui/dpi.h"

namespace Wexo::Ui {

namespace {

constexpr const auto& kForm = Form::kComponents<TMainForm>;
constexpr char kManual[] = "manual.html";
constexpr char kNotFound[] = "が見つかりません";
constexpr char kNoDialog[] = "ファイルを開くダイアログを表示できませんでした (エラー ";

}  // namespace

void TMainForm::FormPaint(HDC dc) {
    // A capture's DC comes unpainted; the window's own has the class background already.
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    DrawSeparator(dc, Form::kSeparatorRow);
}

void TMainForm::DrawSeparator(HDC dc, int row) {
    // A dark line over a light one, each one pixel high at 96 DPI.
    RECT client;
    GetClientRect(Handle(), &client);
    const unsigned dpi = components_.Dpi();
    const int top = Scale(row, dpi);
    const int line = Scale(1, dpi) > 0 ? Scale(1, dpi) : 1;
    RECT dark = {0, top, client.right, top + line};
    RECT light = {0, top + line, client.right, top + 2 * line};
    Brush darkBrush(CreateSolidBrush(RGB(128, 128, 128)));
    Brush lightBrush(CreateSolidBrush(RGB(255, 255, 255)));
    FillRect(dc, &dark, darkBrush.Get());
    FillRect(dc, &light, lightBrush.Get());
}

void TMainForm::BrowsLabelClick() { environment_.services.WinExec("explorer " + SystemFolder(), kShowNormal); }

void TMainForm::BrowsLabelMouseDown(Form::Id sender) {
    components_.Label(sender).SetColour(ColourOf(Form::kLinkPressed));
}

void TMainForm::BrowsLabelMouseUp(Form::Id sender) {
    components_.Label(sender).SetColour(ColourOf(Form::kLinkReleased));
}

void TMainForm::RegistSideClick() { SelectMode(true); }

void TMainForm::UnregistSideClick() { SelectMode(false); }

void TMainForm::GroupClick() {
    if (!TargetPath_.empty()) SetRunEnabled(true);
}

void TMainForm::ExecButtonClick() { RegistrationRun(*this, environment_.runServices).Execute(); }

void TMainForm::ExitButtonClick() { SendMessageW(Handle(), WM_CLOSE, 0, 0); }

void TMainForm::TargetLabelClick() {
    SetTopMost(false);
    if (OpenDialog.Execute(Handle())) {
        OfferTarget(OpenDialog.FileName());
    } else if (OpenDialog.Failure() != 0) {
        // Not a cancel: without a word the link would seem to do nothing.
        ShowStop(Handle(), kNoDialog + std::to_string(OpenDialog.Failure()) + ")", environment_.title);
    }
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

bool TMainForm::PreTranslateMessage(MSG& message) {
    if (Handle() == nullptr || (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd))) return false;
    // Enter and Esc do nothing while Shift, Ctrl or Alt is held; the dialog manager would press a button.
    if (message.message == WM_KEYDOWN && (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE) &&
        ((GetKeyState(VK_SHIFT) | GetKeyState(VK_CONTROL) | GetKeyState(VK_MENU)) & 0x8000) != 0) {
        return true;
    }
    return IsDialogMessageW(Handle(), &message) != 0;
}

void TMainForm::Press(Form::Id id) {
    if (id >= Form::kComponentCount || kForm[id].onClick == nullptr) return;
    if (!IsWindowEnabled(components_.Window(id))) return;
    (this->*kForm[id].onClick)();
}

void TMainForm::OnCommand(Form::Id id, WORD code) {
    switch (code) {
        case BN_CLICKED:  // and a graphic control's kClicked
            Press(id);
            break;
        case kPressed:
            if (components_.IsLink(id)) BrowsLabelMouseDown(id);
            break;
        case kReleased:
            if (components_.IsLink(id)) BrowsLabelMouseUp(id);
            break;
        case BN_SETFOCUS:
        case BN_KILLFOCUS:
            // Enter presses 終了 while it has the focus: it is the default button, and framed as such, until then.
            if (id == Form::ExitButton) {
                const Form::Id defaultButton = code == BN_SETFOCUS ? Form::ExitButton : Form::ExecButton;
                SendMessageW(Handle(), DM_SETDEFID, Form::ControlId(defaultButton), 0);
            }
            break;
    }
}

void TMainForm::OnDropFiles(HDROP drop) {
    const std::wstring path = environment_.services.DragQueryFileW(drop, 0);
    environment_.services.DragFinish(drop);
    OfferTarget(path);
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (HandlePaint(message, wParam, [this](HDC dc) { FormPaint(dc); })) return 0;
    switch (message) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (HBRUSH brush =
                    components_.PaintBackground(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
            break;
        case WM_COMMAND:
            // Esc comes from the dialog manager as the cancel command; Enter as a click of the default button.
            if (LOWORD(wParam) == IDCANCEL && lParam == 0) {
                Press(Form::ExitButton);
            } else {
                OnCommand(components_.IdOf(reinterpret_cast<HWND>(lParam)), HIWORD(wParam));
            }
            return 0;
        case WM_DPICHANGED:
            ChangeDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_CLOSE:
            DestroyWindow(Handle());
            return 0;
        case WM_DESTROY:
            if (environment_.quitOnClose) PostQuitMessage(0);
            return 0;
    }
    return DefaultProcedure(message, wParam, lParam);
}

}  // namespace Wexo::Ui
