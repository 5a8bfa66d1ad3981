// The system calls the window makes: the system folder, the code page, dropped files, the shell and the window
// layer. No Windows header here, so that tests can stand in for any of them.
#pragma once

#include <cstdint>
#include <string>

#include "core/lead_bytes.h"
#include "core/text.h"
#include "platform/system_path.h"

namespace Wexo {

// Opaque Windows handles; only the Win32 implementation looks inside.
using WindowHandle = void*;
using DropHandle = void*;
using InstanceHandle = void*;
using CursorHandle = void*;

// Show commands and results as Windows numbers them.
constexpr int kShowNormal = 1;                   // SW_SHOWNORMAL
constexpr int kShow = 5;                         // SW_SHOW
constexpr std::intptr_t kShellFileNotFound = 2;  // SE_ERR_FNF

class WindowServices {
public:
    virtual ~WindowServices() = default;

    // The system folder without a trailing separator; false when it cannot be had.
    virtual bool GetSystemDirectoryA(Text& folder) = 0;
    virtual void WinExec(const Text& commandLine, int show) = 0;
    // A path that came in as UTF-16, in the ANSI code page without a substituted character, or refused.
    virtual SystemPath ToSystemPath(const std::wstring& path) = 0;

    // Code page services, read once at start-up.
    virtual std::uint32_t GetACP() = 0;
    // False when the code page is unknown; `leadBytes` is then left alone.
    virtual bool GetCPInfo(std::uint32_t codePage, LeadBytes& leadBytes) = 0;

    // Shell services.
    // Accepting drops also lets them through the message filter of an elevated window.
    virtual void DragAcceptFiles(WindowHandle window, bool accept) = 0;
    // The path of dropped file `index`, as the shell gives it (UTF-16, whole); empty when there is none.
    virtual std::wstring DragQueryFileW(DropHandle drop, unsigned index) = 0;
    virtual void DragFinish(DropHandle drop) = 0;
    // The shell's result; values up to 32 are errors, kShellFileNotFound among them.
    virtual std::intptr_t ShellExecuteA(WindowHandle owner, const Text& verb, const Text& file, const Text& parameters,
                                        const Text& directory, int show) = 0;

    // Window services.
    virtual CursorHandle LoadCursorA(InstanceHandle instance, const char* resourceName) = 0;
    // Enters or leaves the always-on-top layer keeping position and size; also activates.
    virtual void SetWindowPos(WindowHandle window, bool topMost) = 0;
    virtual void SetForegroundWindow(WindowHandle window) = 0;
    virtual WindowHandle GetDesktopWindow() = 0;
};

}  // namespace Wexo
