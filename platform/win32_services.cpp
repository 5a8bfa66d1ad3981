#include "platform/win32_services.h"

#include <windows.h>
#include <shellapi.h>

namespace Wexo {

namespace {

HWND Window(WindowHandle window) { return static_cast<HWND>(window); }

}  // namespace

ModuleHandle Win32Services::LoadLibraryA(const Text& path) {
    // Loading the path as it stands would let the loader search the system folders before the
    // current directory for a bare name, and look for the server's own dependencies beside this
    // program instead of beside the server. A full path with the altered search order does both
    // right, as the system's own registration tool does.
    char full[MAX_PATH];
    const DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    return ::LoadLibraryExA(full, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

ExportAddress Win32Services::GetProcAddress(ModuleHandle module, const char* exportName) {
    return reinterpret_cast<ExportAddress>(::GetProcAddress(static_cast<HMODULE>(module), exportName));
}

void Win32Services::FreeLibrary(ModuleHandle module) { ::FreeLibrary(static_cast<HMODULE>(module)); }

bool Win32Services::CopyFileA(const Text& source, const Text& destination, bool failIfExists) {
    return ::CopyFileA(source.c_str(), destination.c_str(), failIfExists) != 0;
}

bool Win32Services::DeleteFileA(const Text& path) { return ::DeleteFileA(path.c_str()) != 0; }

bool Win32Services::GetSystemDirectoryA(Text& folder) {
    char buffer[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    folder.assign(buffer, length);
    return true;
}

void Win32Services::WinExec(const Text& commandLine, int show) {
    ::WinExec(commandLine.c_str(), static_cast<UINT>(show));
}

std::uint32_t Win32Services::GetACP() { return ::GetACP(); }

bool Win32Services::GetCPInfo(std::uint32_t codePage, LeadBytes& leadBytes) {
    CPINFO info;
    if (!::GetCPInfo(codePage, &info)) return false;
    std::vector<ByteRange> ranges;
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
        ranges.push_back({info.LeadByte[i], info.LeadByte[i + 1]});
    }
    leadBytes = LeadBytes(ranges);
    return true;
}

void Win32Services::DragAcceptFiles(WindowHandle window, bool accept) { ::DragAcceptFiles(Window(window), accept); }

Text Win32Services::DragQueryFileA(DropHandle drop, unsigned index) {
    char buffer[MAX_PATH] = {};
    const UINT length = ::DragQueryFileA(static_cast<HDROP>(drop), index, buffer, MAX_PATH);
    return Text(buffer, length < MAX_PATH ? length : 0);
}

void Win32Services::DragFinish(DropHandle drop) { ::DragFinish(static_cast<HDROP>(drop)); }

std::intptr_t Win32Services::ShellExecuteA(WindowHandle owner, const Text& verb, const Text& file,
                                           const Text& parameters, const Text& directory, int show) {
    HINSTANCE result =
        ::ShellExecuteA(Window(owner), verb.c_str(), file.c_str(), parameters.c_str(), directory.c_str(), show);
    return reinterpret_cast<std::intptr_t>(result);
}

CursorHandle Win32Services::LoadCursorA(InstanceHandle instance, const char* resourceName) {
    return ::LoadCursorA(static_cast<HINSTANCE>(instance), resourceName);
}

void Win32Services::SetWindowPos(WindowHandle window, bool topMost) {
    ::SetWindowPos(Window(window), topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Win32Services::SetForegroundWindow(WindowHandle window) { ::SetForegroundWindow(Window(window)); }

WindowHandle Win32Services::GetDesktopWindow() { return ::GetDesktopWindow(); }

}  // namespace Wexo
