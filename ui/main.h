// The main window: holds the target, the mode and the options, takes targets from the command
// line, from dropped files and from the file-open dialog, and starts the registration run. Its
// components come from the form table; this class keeps the behaviour.
#pragma once

#include <windows.h>

#include <optional>

#include "core/command_line.h"
#include "core/registration_run.h"
#include "core/run_services.h"
#include "core/target_rules.h"
#include "platform/window_services.h"
#include "resources/main_form.h"
#include "ui/cursor_table.h"
#include "ui/form.h"
#include "ui/hint.h"
#include "ui/open_dialog.h"
#include "ui/window_base.h"

namespace Wexo::Ui {

struct FormEnvironment {
    HINSTANCE instance;
    RunServices& runServices;
    WindowServices& services;
    LeadBytes leadBytes;
    const CursorTable& cursors;
    Text title;  // the application title: caption of every message
    WideCommandLine commandLine;
    Text homePage;     // opened by the to Lirrowan link; none when empty
    bool quitOnClose;  // closing the window ends the message loop
};

class TMainForm : public WindowBase<TMainForm>, public RunHost, public ExceptionSink {
public:
    static constexpr bool kDialogManager = true;

    // Builds the window from the form table, then clears the target, fills in the system folder,
    // enters registration mode and accepts dropped files. The window stays hidden.
    explicit TMainForm(const FormEnvironment& environment);
    ~TMainForm();

    // The creation event: the command-line target, the hand cursor, the top layer.
    void FormCreate();
    // Dialog keys: Tab and arrows move the focus, Enter and Esc press buttons. True when the
    // message was used up.
    bool PreTranslateMessage(MSG& message);

    // What the registration run needs of the window.
    bool IsRegistering() const override;
    Placement PlacementOption() const override;
    FollowUp FollowUpOption() const override;
    Text TargetPath() const override { return TargetPath_; }
    Text DisplayName() const override { return components_.Label(Form::TargetName).Caption(); }
    Text SystemFolder() const override { return components_.Label(Form::SystemFolder).Caption(); }
    void SetTopMost(bool on) override;
    void ClearTarget() override;
    void ShowMessage(const Text& message) override;
    bool AskOkCancel(const Text& question, const Text& caption) override;

    void ShowException(const char* message) override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Event handlers, named in the form table.
    void FormPaint(HDC dc);
    void BrowsLabelClick();
    void BrowsLabelMouseDown(Form::Id sender);
    void BrowsLabelMouseUp(Form::Id sender);
    void RegistSideClick();
    void GroupClick();
    void UnregistSideClick();
    void ExecButtonClick();
    void ExitButtonClick();
    void TargetLabelClick();
    void LirroLabelClick();
    void HelpClick();

private:
    // A path as it came in (UTF-16): refused with a message when the system's code page cannot spell it in at
    // most 259 bytes, else offered to SetTarget.
    bool OfferTarget(const std::wstring& path);
    bool SetTarget(const Text& path);
    // Leaves the target as it is and says why.
    void RefuseTarget(const char* message);
    void SelectMode(bool registering);
    void SetRunEnabled(bool enabled);
    void DrawSeparator(HDC dc, int row);
    static RECT ClientArea(unsigned dpi);
    // Lays the window out for `dpi`, at the place the system suggests when it gives one.
    void ChangeDpi(unsigned dpi, const RECT* suggested);

    // Messages, cracked.
    void OnCommand(Form::Id id, WORD code);
    // A click on a component, or Enter and Esc pressing a button: its handler, unless it is disabled.
    void Press(Form::Id id);
    void OnDropFiles(HDROP drop);

    FormEnvironment environment_;
    TargetRules rules_;
    Components components_;
    std::optional<Hint> hint_;
    Ui::OpenDialog OpenDialog;
    Text TargetPath_;
};

}  // namespace Wexo::Ui
