// The one door to Windows: every system call the program makes, with the arguments it gives and
// the results it relies on. No Windows header here, so the core builds and is tested anywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/lead_bytes.h"
#include "core/failure.h"
#include "core/server_fault.h"
#include "core/text.h"
#include "platform/system_path.h"

namespace Wexo {

// Opaque Windows handles; only the Win32 implementation looks inside.
using ModuleHandle = void*;
using WindowHandle = void*;
using DropHandle = void*;
using InstanceHandle = void*;
using CursorHandle = void*;
using ExportAddress = void (*)();

// A system call's success, and the system's error code when it failed.
struct Outcome {
    bool ok = false;
    std::uint32_t error = 0;
};

// A module load: the handle, or null with the loader's error code; a fault raised by the module while the loader
// ran its initialisation is reported here rather than taken down the program.
struct LoadOutcome {
    ModuleHandle module = nullptr;
    std::uint32_t error = 0;
    std::optional<ServerFault> fault;
};

// A call of a server's export: its status, or the fault that ended it.
struct ExportOutcome {
    std::int32_t status = 0;
    std::optional<ServerFault> fault;
};

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
    virtual LoadOutcome LoadLibraryA(const Text& path) = 0;
    virtual ExportAddress GetProcAddress(ModuleHandle module, const char* exportName) = 0;
    // Calls a self-registration export (no arguments, an HRESULT back); a fault inside it is caught.
    virtual ExportOutcome CallExport(ExportAddress address) = 0;
    // Releases the module; a fault while it detaches is returned, never thrown, because a release also runs
    // while an earlier fault is on its way to the user.
    virtual std::optional<ServerFault> FreeLibrary(ModuleHandle module) = 0;
    virtual Outcome CopyFileA(const Text& source, const Text& destination, bool failIfExists) = 0;
    virtual Outcome DeleteFileA(const Text& path) = 0;
    // The system folder without a trailing separator; false when it cannot be had.
    virtual bool GetSystemDirectoryA(Text& folder) = 0;
    virtual void WinExec(const Text& commandLine, int show) = 0;

    // Facts for telling the user why something failed.
    // The system's own words for an error code or HRESULT, in the user's language; empty when it has none.
    virtual Text SystemMessage(std::uint32_t code) = 0;
    // At most `limit` leading bytes of a file; empty when it cannot be read.
    virtual Text ReadFileBytes(const Text& path, std::size_t limit) = 0;
    // Whether the loader would find the module `name` for a server at `serverPath`: already loaded, or in one of
    // the folders it searches, the server's own first.
    virtual bool DependencyFound(const Text& name, const Text& serverPath) = 0;
    // The bitness this program runs with.
    virtual Bitness ProgramBitness() = 0;
    // The path of the program built for `bitness` when it stands beside this one; empty otherwise.
    virtual Text ProgramFor(Bitness bitness) = 0;
    // Starts `program` with `argument` as its one argument.
    virtual Outcome StartProgram(const Text& program, const Text& argument) = 0;

    // A path that came in as UTF-16, in the ANSI code page without a substituted character, or refused.
    virtual SystemPath ToSystemPath(const std::wstring& path) = 0;

    // Code page services, read once at start-up.
    virtual std::uint32_t GetACP() = 0;
    // False when the code page is unknown; `leadBytes` is then left alone.
    virtual bool GetCPInfo(std::uint32_t codePage, LeadBytes& leadBytes) = 0;

    // Shell services.
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
