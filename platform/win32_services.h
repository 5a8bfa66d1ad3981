// The Windows services as the real "A" functions provide them.
#pragma once

#include "platform/windows_services.h"

namespace Wexo {

class Win32Services : public WindowsServices {
public:
    LoadOutcome LoadLibraryA(const Text& path) override;
    ExportAddress GetProcAddress(ModuleHandle module, const char* exportName) override;
    ExportOutcome CallExport(ExportAddress address) override;
    std::optional<ServerFault> FreeLibrary(ModuleHandle module) override;
    Outcome CopyFileA(const Text& source, const Text& destination, bool failIfExists) override;
    Outcome DeleteFileA(const Text& path) override;
    bool GetSystemDirectoryA(Text& folder) override;
    void WinExec(const Text& commandLine, int show) override;
    Text SystemMessage(std::uint32_t code) override;
    Text ReadFileBytes(const Text& path, std::size_t limit) override;
    bool DependencyFound(const Text& name, const Text& serverPath) override;
    Bitness ProgramBitness() override;
    Text ProgramFor(Bitness bitness) override;
    Outcome StartProgram(const Text& program, const Text& argument) override;
    SystemPath ToSystemPath(const std::wstring& path) override;
    std::uint32_t GetACP() override;
    bool GetCPInfo(std::uint32_t codePage, LeadBytes& leadBytes) override;
    void DragAcceptFiles(WindowHandle window, bool accept) override;
    std::wstring DragQueryFileW(DropHandle drop, unsigned index) override;
    void DragFinish(DropHandle drop) override;
    std::intptr_t ShellExecuteA(WindowHandle owner, const Text& verb, const Text& file, const Text& parameters,
                                const Text& directory, int show) override;
    CursorHandle LoadCursorA(InstanceHandle instance, const char* resourceName) override;
    void SetWindowPos(WindowHandle window, bool topMost) override;
    void SetForegroundWindow(WindowHandle window) override;
    WindowHandle GetDesktopWindow() override;
};

}  // namespace Wexo
