// The built program as a user meets it: started as a process of its own with a file argument,
// driven by input events, its boxes answered, its effects read from the test server's trace.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "resources/main_form.h"
#include "tests/support/sjis.h"
#include "tests/windows/support/box_answerer.h"
#include "tests/windows/support/test_env.h"

namespace {

using Wexo::Form::ControlId;
namespace Sjis = WexoTest::Sjis;

const std::string kTitle = "WEXO2 - Taskerand 2";

class Program {
public:
    Program(const std::string& argument, const std::string& directory) {
        // Appended piece by piece: one long concatenation trips a false warning of GCC 12.
        std::string commandLine = "\"";
        commandLine.append(WexoTest::ProgramPath()).append("\" \"").append(argument).append("\"");
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        started_ = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                                  &startup, &process_) != 0;
    }
    ~Program() {
        if (!started_) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return started_; }
    DWORD Id() const { return process_.dwProcessId; }

    // The main window once it is visible; null after the timeout.
    HWND Window(DWORD milliseconds = 15000) const {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < milliseconds) {
            for (HWND window = FindWindowExA(nullptr, nullptr, "TMainForm", nullptr); window != nullptr;
                 window = FindWindowExA(nullptr, window, "TMainForm", nullptr)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == Id() && IsWindowVisible(window)) return window;
            }
            Sleep(50);
        }
        return nullptr;
    }

    // The exit code, or STILL_ACTIVE when it has not ended in time.
    DWORD ExitCode(DWORD milliseconds = 15000) const {
        WaitForSingleObject(process_.hProcess, milliseconds);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

private:
    bool started_ = false;
    PROCESS_INFORMATION process_{};
};

void ClickAt(HWND control) {
    RECT bounds;
    GetWindowRect(control, &bounds);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = ((bounds.left + 8) * 65535) / (screenWidth - 1);
        input.mi.dy = (((bounds.top + bounds.bottom) / 2) * 65535) / (screenHeight - 1);
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, inputs, sizeof(INPUT));
}

void Type(WORD key) {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = 10000) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        if (condition()) return true;
        Sleep(20);
    }
    return false;
}

TEST(Program, RegistersAControlThatUsesComWhileRegistering) {
    WexoTest::Trace trace;
    WexoTest::TempFolder folder;
    const std::string target = folder.File("category_server.dll");
    WexoTest::CopyFileOrFail(WexoTest::FixturePath("category_server.dll"), target);

    Program program(target, folder.Path());
    ASSERT_TRUE(program.Started());
    WexoTest::BoxAnswerer answerer(0, program.Id());
    HWND window = program.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WexoTest::WindowText(GetDlgItem(window, ControlId(Wexo::Form::TargetName))), "category_server.dll");
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    HWND run = GetDlgItem(window, ControlId(Wexo::Form::ExecButton));
    EXPECT_FALSE(IsWindowEnabled(run));

    // "ここから", then Enter: the focus is on the option, so Enter presses 開始.
    ClickAt(GetDlgItem(GetDlgItem(window, ControlId(Wexo::Form::RegistGroup)), 1));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(run) != 0; }));
    Type(VK_RETURN);
    ASSERT_TRUE(answerer.WaitFor(1));
    EXPECT_EQ(answerer.Seen()[0].caption, kTitle);
    EXPECT_EQ(answerer.Seen()[0].text, Sjis::kRegistered);
    EXPECT_EQ(trace.Count("DllRegisterServer", target), 1);

    // Esc closes the window and ends the program.
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }));
    Type(VK_ESCAPE);
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_EQ(trace.Count("detach", target), 1);
}

TEST(Program, RefusesANonServerArgumentBeforeShowingTheWindow) {
    WexoTest::TempFolder folder;
    Program program("readme.txt", folder.Path());
    ASSERT_TRUE(program.Started());
    WexoTest::BoxAnswerer answerer(0, program.Id());
    ASSERT_TRUE(answerer.WaitFor(1, 15000));
    EXPECT_EQ(answerer.Seen()[0].caption, kTitle);
    EXPECT_EQ(answerer.Seen()[0].text, Sjis::kNotAServer);
    HWND window = program.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WexoTest::WindowText(GetDlgItem(window, ControlId(Wexo::Form::TargetName))),
              std::string(Sjis::kDropPrompt) + Sjis::kFullStop);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitCode(), 0u);
}

}  // namespace
