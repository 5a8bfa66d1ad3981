// The Windows services as the real "A" functions provide them.
#pragma once

#include "platform/windows_services.h"

namespace Wexo {

class Win32Services : public WindowsServices {
public:
    ModuleHandle LoadLibraryA(const Text& path) override;
    ExportAddress GetProcAddress(ModuleHandle module, const char* exportName) override;
    void FreeLibrary(ModuleHandle module) override;
    bool CopyFileA(const Text& source, const Text& destination, bool failIfExists) override;
    bool DeleteFileA(const Text& path) override;
    bool GetSystemDirectoryA(Text& folder) override;
    void WinExec(const Text& commandLine, int show) override;
    std::uint32_t GetACP() override;
    bool GetCPInfo(std::uint32_t codePage, LeadBytes& leadBytes) override;
    void DragAcceptFiles(WindowHandle window, bool accept) override;
    Text DragQueryFileA(DropHandle drop, unsigned index) override;
    void DragFinish(DropHandle drop) override;
    std::intptr_t ShellExecuteA(WindowHandle owner, const Text& verb, const Text& file, const Text& parameters,
                                const Text& directory, int show) override;
    CursorHandle LoadCursorA(InstanceHandle instance, const char* resourceName) override;
    void SetWindowPos(WindowHandle window, bool topMost) override;
    void SetForegroundWindow(WindowHandle window) override;
    WindowHandle GetDesktopWindow() override;
};

}  // namespace Wexo
