#include "platform/win32_run_services.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/fault_guard.h"
#include "platform/system_path.h"

namespace Wexo {

LoadOutcome Win32RunServices::LoadServer(const Text& path) {
    // Loading the path as it stands would let the loader search the system folders before the
    // current directory for a bare name, and look for the server's own dependencies beside this
    // program instead of beside the server. A full path with the altered search order does both
    // right, as the system's own registration tool does.
    LoadOutcome outcome;
    char full[MAX_PATH];
    const DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) {
        outcome.error = length == 0 ? ::GetLastError() : ERROR_FILENAME_EXCED_RANGE;
        return outcome;
    }
    // The server's DllMain runs inside the loader.
    FaultWatch watch;
    GuardedFault fault;
    HMODULE module = nullptr;
    DWORD error = 0;
    auto load = [&]() noexcept {
        module = ::LoadLibraryExA(full, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        error = module == nullptr ? ::GetLastError() : 0;
    };
    if (!RunGuarded(load, fault)) {
        outcome.fault = DescribeFault(fault);
    } else if (module == nullptr && watch.Seen()) {
        // The loader caught the fault itself and only failed the load.
        outcome.fault = watch.Fault();
    }
    outcome.module = module;
    outcome.error = error;
    return outcome;
}

ExportAddress Win32RunServices::FindExport(ModuleHandle module, const char* exportName) {
    return reinterpret_cast<ExportAddress>(::GetProcAddress(static_cast<HMODULE>(module), exportName));
}

ExportOutcome Win32RunServices::CallExport(ExportAddress address) {
    // The self-registration contract: no arguments, an HRESULT back, stdcall on 32-bit Windows.
    const auto function = reinterpret_cast<HRESULT(WINAPI*)()>(address);
    ExportOutcome outcome;
    GuardedFault fault;
    auto call = [&]() noexcept { outcome.status = function(); };
    if (!RunGuarded(call, fault)) outcome.fault = DescribeFault(fault);
    return outcome;
}

std::optional<ServerFault> Win32RunServices::ReleaseServer(ModuleHandle module) {
    FaultWatch watch(static_cast<HMODULE>(module));
    GuardedFault fault;
    auto release = [&]() noexcept { ::FreeLibrary(static_cast<HMODULE>(module)); };
    if (!RunGuarded(release, fault)) return DescribeFault(fault);
    // The loader catches a fault in DllMain while it detaches and carries on; the user is still told.
    if (watch.Seen()) return watch.Fault();
    return std::nullopt;
}

Outcome Win32RunServices::Copy(const Text& source, const Text& destination, bool failIfExists) {
    if (::CopyFileA(source.c_str(), destination.c_str(), failIfExists)) return {true, 0};
    return {false, ::GetLastError()};
}

Outcome Win32RunServices::Delete(const Text& path) {
    if (::DeleteFileA(path.c_str())) return {true, 0};
    return {false, ::GetLastError()};
}

Text Win32RunServices::SystemMessage(std::uint32_t code) {
    // An HRESULT that wraps a Win32 error has the words of that error.
    if ((code & 0xFFFF0000u) == 0x80070000u) code &= 0xFFFFu;
    char* buffer = nullptr;
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    if (length == 0 || buffer == nullptr) return {};
    Text text(buffer, length);
    ::LocalFree(buffer);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.pop_back();
    return text;
}

Text Win32RunServices::ReadFileBytes(const Text& path, std::size_t limit) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    Text bytes;
    char chunk[65536];
    DWORD read = 0;
    while (bytes.size() < limit &&
           ::ReadFile(file, chunk, static_cast<DWORD>(std::min(sizeof(chunk), limit - bytes.size())), &read, nullptr) &&
           read != 0) {
        bytes.append(chunk, read);
    }
    ::CloseHandle(file);
    return bytes;
}

bool Win32RunServices::DependencyFound(const Text& name, const Text& serverPath) {
    // API sets are resolved by the loader without a file of that name.
    if (_strnicmp(name.c_str(), "api-ms-", 7) == 0 || _strnicmp(name.c_str(), "ext-ms-", 7) == 0) return true;
    if (::GetModuleHandleA(name.c_str()) != nullptr) return true;
    // The folders the loader searches for a module loaded with the altered search order, in its order.
    std::vector<Text> folders;
    char buffer[MAX_PATH];
    char* filePart = nullptr;
    DWORD length = ::GetFullPathNameA(serverPath.c_str(), MAX_PATH, buffer, &filePart);
    if (length != 0 && length < MAX_PATH && filePart != nullptr) folders.emplace_back(buffer, filePart - buffer);
    length = ::GetSystemDirectoryA(buffer, MAX_PATH);
    if (length != 0 && length < MAX_PATH) folders.emplace_back(buffer, length);
    length = ::GetWindowsDirectoryA(buffer, MAX_PATH);
    if (length != 0 && length < MAX_PATH) {
        folders.push_back(Text(buffer, length) + "\\System");
        folders.emplace_back(buffer, length);
    }
    length = ::GetCurrentDirectoryA(MAX_PATH, buffer);
    if (length != 0 && length < MAX_PATH) folders.emplace_back(buffer, length);
    const DWORD pathSize = ::GetEnvironmentVariableA("PATH", nullptr, 0);
    if (pathSize != 0) {
        Text path(pathSize, '\0');
        path.resize(::GetEnvironmentVariableA("PATH", path.data(), pathSize));
        for (std::size_t start = 0; start <= path.size();) {
            std::size_t end = path.find(';', start);
            if (end == Text::npos) end = path.size();
            if (end > start) folders.push_back(path.substr(start, end - start));
            start = end + 1;
        }
    }
    for (Text folder : folders) {
        if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
        const DWORD attributes = ::GetFileAttributesA((folder + name).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return true;
    }
    return false;
}

Bitness Win32RunServices::ProgramBitness() { return sizeof(void*) == 8 ? Bitness::Bits64 : Bitness::Bits32; }

Text Win32RunServices::ProgramFor(Bitness bitness) {
    std::wstring own(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, own.data(), static_cast<DWORD>(own.size()));
        if (length == 0) return {};
        if (length < own.size()) {
            own.resize(length);
            break;
        }
        own.resize(own.size() * 2);
    }
    const std::size_t slash = own.find_last_of(L"\\/");
    const std::wstring other = own.substr(0, slash + 1) + FromAnsi(ProgramNameFor(bitness));
    const DWORD attributes = ::GetFileAttributesW(other.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return {};
    // Started by this name later: it has to name the same file.
    return ToAnsiExact(other).value_or(Text());
}

Outcome Win32RunServices::StartProgram(const Text& program, const Text& argument) {
    std::wstring commandLine = L"\"" + FromAnsi(program) + L"\" \"" + FromAnsi(argument) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        return {false, ::GetLastError()};
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return {true, 0};
}

}  // namespace Wexo
