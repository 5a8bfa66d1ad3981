// The one door to Windows: every system call the program makes, with the arguments it gives and
// the results it relies on. No Windows header here, so the core builds and is tested anywhere.
#pragma once

#include <cstdint>

#include "core/lead_bytes.h"
#include "core/text.h"

namespace Wexo {

// Opaque Windows handles; only the Win32 implementation looks inside.
using ModuleHandle = void*;
using WindowHandle = void*;
using DropHandle = void*;
using InstanceHandle = void*;
using CursorHandle = void*;
using ExportAddress = void (*)();

// Show commands and results as Windows numbers them.
constexpr int kShowNormal = 1;                   // SW_SHOWNORMAL
constexpr int kShow = 5;                         // SW_SHOW
constexpr std::intptr_t kShellFileNotFound = 2;  // SE_ERR_FNF

class WindowsServices {
public:
    virtual ~WindowsServices() = default;

    // Kernel services.
    // Loads a server module. A bare file name means the file in the current directory, and the
    // module's own folder is searched for its dependencies. Null on any failure.
    virtual ModuleHandle LoadLibraryA(const Text& path) = 0;
    virtual ExportAddress GetProcAddress(ModuleHandle module, const char* exportName) = 0;
    virtual void FreeLibrary(ModuleHandle module) = 0;
    virtual bool CopyFileA(const Text& source, const Text& destination, bool failIfExists) = 0;
    virtual bool DeleteFileA(const Text& path) = 0;
    // The system folder without a trailing separator; false when it cannot be had.
    virtual bool GetSystemDirectoryA(Text& folder) = 0;
    virtual void WinExec(const Text& commandLine, int show) = 0;

    // Code page services, read once at start-up.
    virtual std::uint32_t GetACP() = 0;
    // False when the code page is unknown; `leadBytes` is then left alone.
    virtual bool GetCPInfo(std::uint32_t codePage, LeadBytes& leadBytes) = 0;

    // Shell services.
    virtual void DragAcceptFiles(WindowHandle window, bool accept) = 0;
    // The path of dropped file `index` (at most 259 bytes); empty when there is none.
    virtual Text DragQueryFileA(DropHandle drop, unsigned index) = 0;
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
