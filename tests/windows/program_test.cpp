// The built program as a user meets it: started as a process of its own with a file argument,
// driven by input events, its boxes answered, its effects read from the test server's trace.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "platform/system_path.h"
#include "resources/main_form.h"
#include "tests/support/sjis.h"
#include "tests/windows/support/box_answerer.h"
#include "tests/windows/support/program.h"
#include "tests/windows/support/test_env.h"

namespace {

using Wexo::Form::ControlId;
using WexoTest::Program;
namespace Sjis = WexoTest::Sjis;

const std::string kTitle = "WEXO2 - Taskerand 2";

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

// Clicks registration option `option` (1 is "ここから"), then Enter once 開始 is enabled: the focus is on the
// option, so Enter presses 開始. False when 開始 never became enabled.
bool RegisterWith(HWND window, int option) {
    ClickAt(GetDlgItem(GetDlgItem(window, ControlId(Wexo::Form::RegistGroup)), option));
    HWND run = GetDlgItem(window, ControlId(Wexo::Form::ExecButton));
    if (!WaitUntil([&] { return IsWindowEnabled(run) != 0; })) return false;
    Type(VK_RETURN);
    return true;
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

    ASSERT_TRUE(RegisterWith(window, 1));
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

TEST(Program, AFaultInTheServerIsShownAndTheProgramGoesOn) {
    WexoTest::Trace trace;
    WexoTest::TempFolder folder;
    const std::string target = folder.File("fault_register.dll");
    WexoTest::CopyFileOrFail(WexoTest::FixturePath("fault_register.dll"), target);

    Program program(target, folder.Path());
    ASSERT_TRUE(program.Started());
    WexoTest::BoxAnswerer answerer(0, program.Id());
    HWND window = program.Window();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(RegisterWith(window, 1));
    ASSERT_TRUE(answerer.WaitFor(1));
    const WexoTest::SeenBox box = answerer.Seen()[0];
    EXPECT_EQ(box.caption, kTitle);
    EXPECT_TRUE(box.icon);
    EXPECT_EQ(box.text.rfind("サーバーの中で例外 0xC0000005 (アクセス違反) が発生しました。", 0), 0u) << box.text;
    EXPECT_NE(box.text.find(target), std::string::npos) << box.text;
    EXPECT_EQ(box.text.back(), '.');
    EXPECT_EQ(trace.Count("detach", target), 1) << "the module is released on the way";

    // Still running, and left out of the top layer as after any exception in a run.
    EXPECT_EQ(program.ExitCode(200), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_FALSE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) << "not put back on top after a fault";
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitCode(), 0u);
}

TEST(Program, AServerOfTheOtherBitnessIsHandedToTheProgramBesideIt) {
    WexoTest::TempFolder folder;
    // The 32-bit program cannot run here; a recorder stands in for it, beside a copy of this program.
    const std::string program = folder.File("wexo2.exe");
    WexoTest::CopyFileOrFail(WexoTest::ProgramPath(), program);
    WexoTest::CopyFileOrFail(WexoTest::FixturePath("recorder.exe"), folder.File("wexo2_x86.exe"));
    const std::string target = folder.File("Old Control.ocx");
    WexoTest::CopyFileOrFail(WexoTest::FixturePath("server_x86.dll"), target);
    const std::string record = folder.File("record.txt");
    SetEnvironmentVariableA("WEXO_RECORD", record.c_str());

    Program started(target, folder.Path(), program);
    ASSERT_TRUE(started.Started());
    WexoTest::BoxAnswerer answerer(0, started.Id());
    answerer.Answer({IDOK});
    HWND window = started.Window();
    ASSERT_NE(window, nullptr);
    // Moving it would put a 32-bit server into the 64-bit system folder: it is refused before anything moves.
    ASSERT_TRUE(RegisterWith(window, 3));
    ASSERT_TRUE(answerer.WaitFor(1));
    const WexoTest::SeenBox box = answerer.Seen()[0];
    EXPECT_EQ(box.caption, "Wexo");
    EXPECT_EQ(box.text, std::string(Sjis::kRegisterFailed) +
                            "\nこのファイルは 32 ビット用です。扱えるのは wexo2_x86.exe です。"
                            "\nwexo2_x86.exe に渡して開きますか？");
    ASSERT_TRUE(WaitUntil([&] { return WexoTest::FileExists(record); }));
    Sleep(100);
    const std::string recorded = WexoTest::ReadFileBytes(record);
    const std::wstring line(reinterpret_cast<const wchar_t*>(recorded.data()), recorded.size() / sizeof(wchar_t));
    EXPECT_NE(line.find(Wexo::FromAnsi("\"" + target + "\"")), std::wstring::npos);
    EXPECT_TRUE(WexoTest::FileExists(target));
    SetEnvironmentVariableA("WEXO_RECORD", nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(started.ExitCode(), 0u);
}

}  // namespace
