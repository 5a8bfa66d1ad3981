// Drives the real main window in this thread as Windows would: messages, drops, keys, mouse
// presses, and reads back what the window shows.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32_run_services.h"
#include "platform/win32_window_services.h"
#include "resources/main_form.h"
#include "ui/main.h"

namespace WexoTest {

// The real services, but the shell and explorer are only recorded, and the system folder can
// be set or made unavailable.
class TestServices : public Wexo::Win32WindowServices {
public:
    std::string systemFolder = "C:\\windows\\system32";
    bool systemFolderAvailable = true;
    bool realShell = false;               // pass ShellExecuteA on to the system
    std::intptr_t shellResult = 42;       // otherwise answer this
    std::vector<std::string> launched;    // "WinExec(cmd,show)" and "ShellExecuteA(...)"
    const char* winExecThrows = nullptr;  // the message WinExec throws with, if any

    bool GetSystemDirectoryA(Wexo::Text& folder) override;
    void WinExec(const Wexo::Text& commandLine, int show) override;
    std::intptr_t ShellExecuteA(Wexo::WindowHandle owner, const Wexo::Text& verb, const Wexo::Text& file,
                                const Wexo::Text& parameters, const Wexo::Text& directory, int show) override;
};

class WindowDriver {
public:
    static constexpr char kTitle[] = "WEXO2 - Taskerand 2";
    static constexpr char kHomePage[] = "https://example.com/";

    explicit WindowDriver(TestServices& services);

    // Constructs the window as start-up does (construction, then the creation event) and shows it.
    void Create(const std::string& commandLine = "wexo2.exe");
    void Create(const std::wstring& commandLine);
    void Destroy() { form_.reset(); }
    Wexo::Ui::TMainForm& Form() { return *form_; }
    HWND Handle() const { return form_->Handle(); }

    HWND Item(Wexo::Form::Id id) const;
    HWND GroupItem(Wexo::Form::Id group, int index) const;
    std::string Text(Wexo::Form::Id id) const;
    std::string Hint() const;  // the tooltip text of TargetName
    bool Enabled(Wexo::Form::Id id) const { return IsWindowEnabled(Item(id)) != 0; }
    bool Checked(HWND button) const;
    int CheckedItem(Wexo::Form::Id group) const;  // -1 when none
    bool TopMost() const;

    // Sends messages through the form's dialog-key handling, as the message loop does.
    void Pump();
    void Drop(const std::vector<std::string>& paths);
    void Drop(const std::vector<std::wstring>& paths);
    void Key(WORD key, std::initializer_list<int> heldModifiers = {});
    void Press(HWND control, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP, POINT at = {2, 2});
    void Click(HWND button);  // a button's own click

    // The colour a control would paint at (x, y) of its client area.
    COLORREF PixelOf(HWND control, int x, int y) const;
    // Whether any pixel of the control's client area has `colour`.
    bool Shows(HWND control, COLORREF colour) const;
    // The background brush colour the parent gives a button.
    COLORREF BackgroundOf(HWND control) const;

private:
    std::vector<COLORREF> Render(HWND control, int& width, int& height) const;

    TestServices& services_;
    Wexo::Win32RunServices runServices_;
    Wexo::Ui::CursorTable cursors_;
    std::unique_ptr<Wexo::Ui::TMainForm> form_;
};

}  // namespace WexoTest
