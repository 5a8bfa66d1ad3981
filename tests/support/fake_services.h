// A recording stand-in for the Windows services, for failures the real system will not produce
// on demand and for counting calls. Files live in memory; modules are named by their path.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/windows_services.h"

namespace WexoTest {

using Wexo::Text;

// Exports the fake modules can offer, one per status.
std::int32_t ExportOk();        // S_OK
std::int32_t ExportFalse();     // S_FALSE
std::int32_t ExportFailed();    // E_FAIL
std::int32_t ExportNegative();  // -1

class FakeServices : public Wexo::WindowsServices {
public:
    struct Module {
        std::map<std::string, std::int32_t (*)()> exports;
    };

    // What can be loaded, by path.
    std::map<Text, Module> modules;
    // What exists on "disk"; content names the file a copy came from.
    std::map<Text, Text> files;
    std::set<Text> undeletable;

    // Every call, in order, as "Name(args)".
    std::vector<std::string> calls;
    int loaded = 0;  // modules currently held by callers

    Wexo::ModuleHandle LoadLibraryA(const Text& path) override;
    Wexo::ExportAddress GetProcAddress(Wexo::ModuleHandle module, const char* exportName) override;
    void FreeLibrary(Wexo::ModuleHandle module) override;
    bool CopyFileA(const Text& source, const Text& destination, bool failIfExists) override;
    bool DeleteFileA(const Text& path) override;
    bool GetSystemDirectoryA(Text& folder) override;
    void WinExec(const Text& commandLine, int show) override;
    std::uint32_t GetACP() override { return 932; }
    bool GetCPInfo(std::uint32_t codePage, Wexo::LeadBytes& leadBytes) override;
    void DragAcceptFiles(Wexo::WindowHandle, bool accept) override;
    Text DragQueryFileA(Wexo::DropHandle, unsigned index) override;
    void DragFinish(Wexo::DropHandle) override;
    std::intptr_t ShellExecuteA(Wexo::WindowHandle, const Text& verb, const Text& file, const Text& parameters,
                                const Text& directory, int show) override;
    Wexo::CursorHandle LoadCursorA(Wexo::InstanceHandle, const char* resourceName) override;
    void SetWindowPos(Wexo::WindowHandle, bool topMost) override;
    void SetForegroundWindow(Wexo::WindowHandle) override;
    Wexo::WindowHandle GetDesktopWindow() override { return nullptr; }

    int Count(const std::string& callPrefix) const;

private:
    // Handles are 1-based indexes into this list of loaded paths.
    std::vector<Text> handles_;
};

}  // namespace WexoTest
