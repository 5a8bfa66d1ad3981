// The built program, started as a process of its own: its main window, its exit code, and its end with the test.
#pragma once

#include <windows.h>

#include <string>

#include "tests/windows/support/test_env.h"

namespace WexoTest {

class Program {
public:
    Program(const std::string& argument, const std::string& directory, const std::string& program = ProgramPath()) {
        // Appended piece by piece: one long concatenation trips a false warning of GCC 12.
        std::string commandLine = "\"";
        commandLine.append(program).append("\" \"").append(argument).append("\"");
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

}  // namespace WexoTest
