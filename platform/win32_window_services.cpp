#include "platform/win32_window_services.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "platform/newer_user32.h"

namespace Wexo {

namespace {

HWND Window(WindowHandle window) { return static_cast<HWND>(window); }

}  // namespace

bool Win32WindowServices::GetSystemDirectoryA(Text& folder) {
    char buffer[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    folder.assign(buffer, length);
    return true;
}

void Win32WindowServices::WinExec(const Text& commandLine, int show) {
    ::WinExec(commandLine.c_str(), static_cast<UINT>(show));
}

std::uint32_t Win32WindowServices::GetACP() { return ::GetACP(); }

bool Win32WindowServices::GetCPInfo(std::uint32_t codePage, LeadBytes& leadBytes) {
    CPINFO info;
    if (!::GetCPInfo(codePage, &info)) return false;
    std::vector<ByteRange> ranges;
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
        ranges.push_back({info.LeadByte[i], info.LeadByte[i + 1]});
    }
    leadBytes = LeadBytes(ranges);
    return true;
}

void Win32WindowServices::DragAcceptFiles(WindowHandle window, bool accept) {
    ::DragAcceptFiles(Window(window), accept);
    if (!accept) return;
    // An elevated window gets no drop from the Explorer of a user without elevation, unless it lets the messages of a
    // drop through its message filter (0x0049: the copy of the drop's data across the privilege boundary).
    using FilterFunction = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    const auto allow = NewerUser32Call<FilterFunction>("ChangeWindowMessageFilterEx");
    if (allow == nullptr) return;  // before Windows 7
    constexpr DWORD kAllow = 1;    // MSGFLT_ALLOW
    for (UINT message : {static_cast<UINT>(WM_DROPFILES), static_cast<UINT>(WM_COPYDATA), 0x0049u}) {
        allow(Window(window), message, kAllow, nullptr);
    }
}

std::wstring Win32WindowServices::DragQueryFileW(DropHandle drop, unsigned index) {
    const UINT length = ::DragQueryFileW(static_cast<HDROP>(drop), index, nullptr, 0);
    if (length == 0) return {};
    std::wstring path(length + 1, L'\0');
    const UINT copied = ::DragQueryFileW(static_cast<HDROP>(drop), index, path.data(), length + 1);
    path.resize(copied <= length ? copied : 0);
    return path;
}

void Win32WindowServices::DragFinish(DropHandle drop) { ::DragFinish(static_cast<HDROP>(drop)); }

std::intptr_t Win32WindowServices::ShellExecuteA(WindowHandle owner, const Text& verb, const Text& file,
                                                 const Text& parameters, const Text& directory, int show) {
    HINSTANCE result =
        ::ShellExecuteA(Window(owner), verb.c_str(), file.c_str(), parameters.c_str(), directory.c_str(), show);
    return reinterpret_cast<std::intptr_t>(result);
}

CursorHandle Win32WindowServices::LoadCursorA(InstanceHandle instance, const char* resourceName) {
    return ::LoadCursorA(static_cast<HINSTANCE>(instance), resourceName);
}

void Win32WindowServices::SetWindowPos(WindowHandle window, bool topMost) {
    ::SetWindowPos(Window(window), topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Win32WindowServices::SetForegroundWindow(WindowHandle window) { ::SetForegroundWindow(Window(window)); }

WindowHandle Win32WindowServices::GetDesktopWindow() { return ::GetDesktopWindow(); }

SystemPath Win32WindowServices::ToSystemPath(const std::wstring& path) { return Wexo::ToSystemPath(path); }

}  // namespace Wexo
