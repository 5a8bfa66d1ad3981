// The main window: holds the target, the mode and the options, takes targets from the command
// line, from dropped files and from the file-open dialog, and starts the registration run.
#pragma once

#include <windows.h>

#include <memory>

#include "core/command_line.h"
#include "core/registration_run.h"
#include "core/target_rules.h"
#include "platform/window_services.h"
#include "resources/main_form.h"
#include "ui/cursor_table.h"
#include "ui/gdi.h"
#include "ui/graphic_control.h"
#include "ui/open_dialog.h"
#include "ui/radio_group.h"
#include "ui/unique_window.h"
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
    // Builds the window from the form description, then clears the target, fills in the system
    // folder, enters registration mode and accepts dropped files. The window stays hidden.
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
    Text DisplayName() const override { return TargetName->Caption(); }
    Text SystemFolder() const override { return SystemFolder_->Caption(); }
    void SetTopMost(bool on) override;
    void ClearTarget() override;
    void ShowMessage(const Text& message) override;
    bool AskOkCancel(const Text& question, const Text& caption) override;

    void ShowException(const char* message) override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void CreateComponents();
    HWND CreateButton(const Form::Component& component, DWORD style);
    std::unique_ptr<GraphicControl> CreateLabel(const Form::Component& component);
    std::unique_ptr<RadioGroup> CreateGroup(const Form::Component& component);

    // A path as it came in (UTF-16): refused with a message when the system's code page cannot spell it in at
    // most 259 bytes, else offered to SetTarget.
    bool OfferTarget(const std::wstring& path);
    bool SetTarget(const Text& path);
    // Leaves the target as it is and says why.
    void RefuseTarget(const char* message);
    void SelectMode(bool registering);
    void SetRunEnabled(bool enabled);
    void SetHint(const Text& hint);
    void WMDropFiles(HDROP drop);
    void PressButton(HWND button);

    // Event handlers.
    void FormPaint(HDC dc);
    void DrawSeparator(HDC dc, int row);
    void BrowsLabelClick();
    void BrowsLabelMouseDown(GraphicControl& label);
    void BrowsLabelMouseUp(GraphicControl& label);
    void RegistSideClick();
    void GroupClick();
    void UnregistSideClick();
    void ExecButtonClick();
    void ExitButtonClick();
    void TargetLabelClick();
    void LirroLabelClick();
    void HelpClick();

    FormEnvironment environment_;
    TargetRules rules_;
    Font font_;
    Font linkFont_;
    Font italicLinkFont_;
    Brush activeBrush_;
    Brush inactiveBrush_;
    Bitmap helpPicture_;
    UniqueWindow tooltip_;
    HWND lastFocus_ = nullptr;
    bool registeringShown_ = true;  // which pair SelectMode coloured as active

    std::unique_ptr<GraphicControl> TargetLabel;
    std::unique_ptr<GraphicControl> TargetName;
    std::unique_ptr<GraphicControl> BrowsLabel;
    std::unique_ptr<GraphicControl> SystemFolder_;
    std::unique_ptr<RadioGroup> RegistGroup;
    std::unique_ptr<RadioGroup> UnregistGroup;
    HWND RegistSide = nullptr;
    HWND UnregistSide = nullptr;
    HWND ExecButton = nullptr;
    HWND ExitButton = nullptr;
    Ui::OpenDialog OpenDialog;
    std::unique_ptr<GraphicControl> LirroLabel;
    std::unique_ptr<GraphicControl> Copyright;
    std::unique_ptr<GraphicControl> Help;
    Text TargetPath_;
    Text hint_;
};

}  // namespace Wexo::Ui
