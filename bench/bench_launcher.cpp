// Starts a window program and reports how long it took until its window was visible and the
// process idle, and the process's peak working set at that moment; then closes it.
//   bench_launcher PROGRAM [ARGUMENT...]
// prints one line: "ready_ms=<milliseconds> peak_ws_kb=<KiB> pid=<id> exit=<code>".
// Exit codes: 0 measured, 2 not started, 3 no visible window in time, 4 had to be killed.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr DWORD kReadyTimeoutMs = 30000;
constexpr DWORD kCloseTimeoutMs = 10000;

struct Search {
    DWORD processId;
    HWND window;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->window = window;
        return FALSE;
    }
    return TRUE;
}

HWND VisibleWindowOf(DWORD processId) {
    Search search{processId, nullptr};
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.window;
}

// Quoted as CommandLineToArgvW reads it back.
void AppendQuoted(std::wstring& line, const wchar_t* argument) {
    if (!line.empty()) line += L' ';
    line += L'"';
    for (const wchar_t* c = argument;; ++c) {
        std::size_t slashes = 0;
        while (*c == L'\\') ++slashes, ++c;
        if (!*c) {
            line.append(slashes * 2, L'\\');
            break;
        }
        if (*c == L'"') {
            line.append(slashes * 2 + 1, L'\\');
        } else {
            line.append(slashes, L'\\');
        }
        line += *c;
    }
    line += L'"';
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fputs("usage: bench_launcher PROGRAM [ARGUMENT...]\n", stderr);
        return 2;
    }
    std::wstring commandLine;
    for (int i = 1; i < argc; ++i) AppendQuoted(commandLine, argv[i]);

    LARGE_INTEGER frequency, start, ready;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "CreateProcess failed: %lu\n", GetLastError());
        return 2;
    }

    // Idle first (the message loop waits for input), then a visible window of this process; a
    // program that shows its window after it first goes idle is waited for too.
    HWND window = nullptr;
    DWORD idle = WaitForInputIdle(process.hProcess, kReadyTimeoutMs);
    ULONGLONG deadline = GetTickCount64() + kReadyTimeoutMs;
    if (idle == 0) {
        while (!(window = VisibleWindowOf(process.dwProcessId)) && GetTickCount64() < deadline) {
            if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
        }
    }
    QueryPerformanceCounter(&ready);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    bool measured = GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory));

    int result = 0;
    if (window) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    } else {
        result = 3;
    }
    if (WaitForSingleObject(process.hProcess, kCloseTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, kCloseTimeoutMs);
        if (result == 0) result = 4;
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    double milliseconds = 1000.0 * static_cast<double>(ready.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    if (result == 0 && measured) {
        std::printf("ready_ms=%.2f peak_ws_kb=%llu pid=%lu exit=%lu\n", milliseconds,
                    static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024), process.dwProcessId, exitCode);
    } else {
        std::printf("failed=%d ready_ms=%.2f pid=%lu exit=%lu\n", result == 0 ? 5 : result, milliseconds,
                    process.dwProcessId, exitCode);
        if (result == 0) result = 5;
    }
    std::fflush(stdout);
    return result;
}
