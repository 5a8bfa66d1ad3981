// The window's services as the real "A" functions provide them.
#pragma once

#include "platform/window_services.h"

namespace Wexo {

class Win32WindowServices : public WindowServices {
public:
    bool GetSystemDirectoryA(Text& folder) override;
    void WinExec(const Text& commandLine, int show) override;
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
