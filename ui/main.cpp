#include "ui/main.h"

#include "platform/screen_text.h"
#include "platform/system_path.h"
#include "ui/boxes.h"
#include "ui/dpi.h"

namespace Wexo::Ui {

namespace {

constexpr wchar_t kClassName[] = L"TMainForm";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Paths and the system folder are in the ANSI code page.
constexpr unsigned kSystemCodePage = CP_ACP;
constexpr const auto& kForm = Form::kComponents<TMainForm>;

constexpr char kNoSystemFolder[] = "システムディレクトリが取得できませんでした";
constexpr char kNotAServer[] = "これはOCXまたはDLLではありません";
constexpr char kDropPrompt[] = "ファイルをドロップしてください";
constexpr char kUnusableName[] =
    "このファイル名はこのシステムでは使えません。\n"
    "使えない文字を含んでいます。ファイル名を変更してから、もう一度指定してください。";
constexpr char kPathTooLong[] =
    "パスが長すぎます (259 バイトまで)。\nファイルを短いパスのフォルダーに移してから、もう一度指定してください。";

constexpr bool TableInIdOrder() {
    for (int i = 0; i < Form::kComponentCount; ++i) {
        if (kForm[i].id != i) return false;
    }
    return true;
}
static_assert(TableInIdOrder(), "the form table lists the components in the order of their ids");

}  // namespace

TMainForm::TMainForm(const FormEnvironment& environment)
    : environment_(environment),
      rules_(environment.leadBytes),
      components_(environment.instance, *this),
      OpenDialog(std::get<Form::FileDialog>(kForm[Form::OpenDialog].kind).filter) {
    HINSTANCE instance = environment_.instance;
    auto icon = static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON, 32, 32, LR_SHARED));
    auto smallIcon = static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON, 16, 16, LR_SHARED));
    RegisterClass(instance, kClassName, LoadCursor(nullptr, IDC_ARROW), GetSysColorBrush(COLOR_BTNFACE), icon,
                  smallIcon);
    const unsigned dpi = SystemDpi();
    RECT frame = FrameAround(ClientArea(dpi), kStyle, 0, dpi);
    OffsetRect(&frame, Scale(Form::kWindow.left, dpi) - frame.left, Scale(Form::kWindow.top, dpi) - frame.top);
    Create(instance, kClassName, FromOwnText(Form::kCaption), kStyle, 0, frame, nullptr, 0, *this);
    components_.Build(Handle(), kForm, dpi);
    hint_.emplace(instance, Handle(), components_.Window(Form::TargetName));
    // The monitor the window landed on may have another DPI than the system's.
    if (const unsigned actual = WindowDpi(Handle()); actual != dpi) ChangeDpi(actual, nullptr);

    TargetPath_.clear();
    Text folder;
    if (environment_.services.GetSystemDirectoryA(folder)) {
        components_.Label(Form::SystemFolder).SetCaption(folder, kSystemCodePage);
    } else {
        ShowMessage(kNoSystemFolder);
    }
    SelectMode(true);
    environment_.services.DragAcceptFiles(Handle(), true);
}

RECT TMainForm::ClientArea(unsigned dpi) {
    return {0, 0, Scale(Form::kWindow.width, dpi), Scale(Form::kWindow.height, dpi)};
}

void TMainForm::ChangeDpi(unsigned dpi, const RECT* suggested) {
    RECT frame = FrameAround(ClientArea(dpi), kStyle, 0, dpi);
    if (suggested != nullptr) {
        // Where the system puts the window; its size is the form's own.
        OffsetRect(&frame, suggested->left - frame.left, suggested->top - frame.top);
    } else {
        RECT now;
        GetWindowRect(Handle(), &now);
        OffsetRect(&frame, now.left - frame.left, now.top - frame.top);
    }
    SetWindowPos(Handle(), nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame the system really drew may differ from the one it predicted; the client area is what must fit.
    const RECT wanted = ClientArea(dpi);
    RECT client;
    GetClientRect(Handle(), &client);
    if (client.right != wanted.right || client.bottom != wanted.bottom) {
        GetWindowRect(Handle(), &frame);
        SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left + wanted.right - client.right,
                     frame.bottom - frame.top + wanted.bottom - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    components_.LayOut(dpi);
    InvalidateRect(Handle(), nullptr, TRUE);
}

TMainForm::~TMainForm() {
    // Children first, while the fonts and brushes they use still exist.
    if (Handle() != nullptr) DestroyWindow(Handle());
}

void TMainForm::FormCreate() {
    if (environment_.commandLine.ParamCount() >= 1) OfferTarget(environment_.commandLine.ParamStr(1));
    components_.SetClickCursor(environment_.cursors.Get(kHandCursor));
    SetTopMost(true);
}

bool TMainForm::IsRegistering() const {
    return SendMessageW(components_.Window(Form::RegistSide), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

Placement TMainForm::PlacementOption() const {
    return static_cast<Placement>(components_.Group(Form::RegistGroup).ItemIndex());
}

FollowUp TMainForm::FollowUpOption() const {
    const bool deleting = components_.Group(Form::UnregistGroup).ItemIndex() == static_cast<int>(FollowUp::Delete);
    return deleting ? FollowUp::Delete : FollowUp::Keep;
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
    components_.Label(Form::TargetName).SetCaption(rules_.DisplayNameOf(path), kSystemCodePage);
    hint_->Set(FromAnsi(path));
    TargetPath_ = path;
    const RadioGroup& active = components_.Group(IsRegistering() ? Form::RegistGroup : Form::UnregistGroup);
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
    components_.Label(Form::TargetName).SetCaption(kDropPrompt, kOwnCodePage);
    TargetPath_.clear();
    SetRunEnabled(false);
}

void TMainForm::SelectMode(bool registering) {
    // Each side's mode button and option group share the side's colour; only the chosen side can be used.
    const Form::Colour registerSide = registering ? Form::kActiveSide : Form::kInactiveSide;
    const Form::Colour unregisterSide = registering ? Form::kInactiveSide : Form::kActiveSide;
    components_.SetBackground(Form::RegistSide, registerSide);
    components_.SetBackground(Form::RegistGroup, registerSide);
    components_.SetBackground(Form::UnregistSide, unregisterSide);
    components_.SetBackground(Form::UnregistGroup, unregisterSide);
    components_.Group(registering ? Form::UnregistGroup : Form::RegistGroup).SetEnabled(false);
    RadioGroup& active = components_.Group(registering ? Form::RegistGroup : Form::UnregistGroup);
    active.SetEnabled(true);
    // The checked radio button holds the pair's tab stop, as radio buttons do, so Tab reaches the chosen side.
    if (!TargetPath_.empty()) SetRunEnabled(active.ItemIndex() != -1);
}

void TMainForm::SetRunEnabled(bool enabled) {
    HWND run = components_.Window(Form::ExecButton);
    if (!enabled && GetFocus() == run) SendMessageW(Handle(), WM_NEXTDLGCTL, 0, FALSE);
    EnableWindow(run, enabled);
}

void TMainForm::ShowMessage(const Text& message) { Ui::ShowMessage(Handle(), message, environment_.title); }

bool TMainForm::AskOkCancel(const Text& question, const Text& caption) {
    return Ui::AskOkCancel(Handle(), question, caption);
}

void TMainForm::ShowException(const char* message) { ShowStop(Handle(), Text(message) + ".", environment_.title); }

}  // namespace Wexo::Ui
