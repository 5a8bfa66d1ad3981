#include "tests/windows/support/window_driver.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/windows/support/box_answerer.h"

namespace WexoTest {

bool TestServices::GetSystemDirectoryA(Wexo::Text& folder) {
    if (!systemFolderAvailable) return false;
    folder = systemFolder;
    return true;
}

void TestServices::WinExec(const Wexo::Text& commandLine, int show) {
    launched.push_back("WinExec(" + commandLine + "," + std::to_string(show) + ")");
    if (winExecThrows != nullptr) throw std::runtime_error(winExecThrows);
}

std::intptr_t TestServices::ShellExecuteA(Wexo::WindowHandle owner, const Wexo::Text& verb, const Wexo::Text& file,
                                          const Wexo::Text& parameters, const Wexo::Text& directory, int show) {
    launched.push_back("ShellExecuteA(" + std::string(owner == GetDesktopWindow() ? "desktop" : "other") + "," + verb +
                       "," + file + "," + parameters + "," + directory + "," + std::to_string(show) + ")");
    if (realShell) return Win32WindowServices::ShellExecuteA(owner, verb, file, parameters, directory, show);
    return shellResult;
}

WindowDriver::WindowDriver(TestServices& services) : services_(services) {
    cursors_.Set(Wexo::Ui::kHandCursor, LoadCursorA(GetModuleHandleA(nullptr), "HAND"));
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

void WindowDriver::Create(const std::string& commandLine) { Create(Wexo::FromAnsi(commandLine)); }

void WindowDriver::Create(const std::wstring& commandLine) {
    Wexo::LeadBytes leadBytes;
    services_.GetCPInfo(services_.GetACP(), leadBytes);
    Wexo::Ui::FormEnvironment environment{
        GetModuleHandleA(nullptr),          runServices_, services_, leadBytes, cursors_, kTitle,
        Wexo::WideCommandLine(commandLine), kHomePage,    false};
    form_ = std::make_unique<Wexo::Ui::TMainForm>(environment);
    form_->FormCreate();
    ShowWindow(Handle(), SW_SHOWNORMAL);
    UpdateWindow(Handle());
    SetForegroundWindow(Handle());
    Pump();
}

HWND WindowDriver::Item(Wexo::Form::Id id) const { return GetDlgItem(Handle(), Wexo::Form::ControlId(id)); }

HWND WindowDriver::GroupItem(Wexo::Form::Id group, int index) const { return GetDlgItem(Item(group), 1 + index); }

std::string WindowDriver::Text(Wexo::Form::Id id) const { return WindowText(Item(id)); }

std::string WindowDriver::Hint() const {
    // The tooltip that knows TargetName as its tool.
    for (HWND tooltip = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); tooltip != nullptr;
         tooltip = FindWindowExA(nullptr, tooltip, TOOLTIPS_CLASSA, nullptr)) {
        char text[1024] = {};
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(Item(Wexo::Form::TargetName));
        if (!SendMessageA(tooltip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool))) continue;
        tool.lpszText = text;
        SendMessageA(tooltip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
        return text;
    }
    return "<no tooltip>";
}

bool WindowDriver::Checked(HWND button) const { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

int WindowDriver::CheckedItem(Wexo::Form::Id group) const {
    for (int i = 0; GroupItem(group, i) != nullptr; ++i) {
        if (Checked(GroupItem(group, i))) return i;
    }
    return -1;
}

bool WindowDriver::TopMost() const { return (GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

void WindowDriver::Pump() {
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (form_ && form_->Handle() != nullptr && form_->PreTranslateMessage(message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    }
}

void WindowDriver::Drop(const std::vector<std::string>& paths) {
    std::vector<std::wstring> wide;
    for (const std::string& path : paths) wide.push_back(Wexo::FromAnsi(path));
    Drop(wide);
}

void WindowDriver::Drop(const std::vector<std::wstring>& paths) {
    // In UTF-16, as the shell drops files.
    std::wstring list;
    for (const std::wstring& path : paths) list += path + L'\0';
    list += L'\0';
    const std::size_t bytes = list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), bytes);
    GlobalUnlock(memory);
    SendMessageA(Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

void WindowDriver::Key(WORD key, std::initializer_list<int> heldModifiers) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    BYTE held[256];
    memcpy(held, state, sizeof(held));
    for (int modifier : heldModifiers) held[modifier] |= 0x80;
    SetKeyboardState(held);
    HWND focus = GetFocus() != nullptr ? GetFocus() : Handle();
    PostMessageA(focus, WM_KEYDOWN, key, 1);
    Pump();
    SetKeyboardState(state);
}

void WindowDriver::Press(HWND control, UINT down, UINT up, POINT at) {
    SendMessageA(control, down, 0, MAKELPARAM(at.x, at.y));
    SendMessageA(control, up, 0, MAKELPARAM(at.x, at.y));
    Pump();
}

void WindowDriver::Click(HWND button) {
    SendMessageA(button, BM_CLICK, 0, 0);
    Pump();
}

std::vector<COLORREF> WindowDriver::Render(HWND control, int& width, int& height) const {
    RECT client;
    GetClientRect(control, &client);
    width = client.right;
    height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    std::vector<COLORREF> pixels(static_cast<std::size_t>(width * height));
    const auto* raw = static_cast<const DWORD*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = RGB((raw[i] >> 16) & 0xFF, (raw[i] >> 8) & 0xFF, raw[i] & 0xFF);
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

COLORREF WindowDriver::PixelOf(HWND control, int x, int y) const {
    int width = 0;
    int height = 0;
    const std::vector<COLORREF> pixels = Render(control, width, height);
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    return pixels[static_cast<std::size_t>(y * width + x)];
}

bool WindowDriver::Shows(HWND control, COLORREF colour) const {
    int width = 0;
    int height = 0;
    const std::vector<COLORREF> pixels = Render(control, width, height);
    return std::find(pixels.begin(), pixels.end(), colour) != pixels.end();
}

COLORREF WindowDriver::BackgroundOf(HWND control) const {
    HDC dc = GetDC(control);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        GetParent(control), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    ReleaseDC(control, dc);
    LOGBRUSH info{};
    if (brush == nullptr || GetObjectA(brush, sizeof(info), &info) == 0) return CLR_INVALID;
    return info.lbColor;
}

}  // namespace WexoTest
