#include "tests/windows/support/test_env.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/system_path.h"

namespace WexoTest {

namespace {

std::string FullPath(const std::string& path) {
    char buffer[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : path;
}

// In UTF-16: tests leave files behind whose names the ANSI code page cannot spell.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

std::string ExeFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string full(path, length);
    return full.substr(0, full.find_last_of('\\'));
}

std::string FixturePath(const std::string& name) { return FullPath(ExeFolder() + "\\..\\fixtures\\" + name); }

std::string ProgramPath() { return FullPath(ExeFolder() + "\\..\\bin\\wexo2.exe"); }

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool FileExistsW(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void CopyFileOrFailW(const std::string& from, const std::wstring& to) {
    ASSERT_TRUE(CopyFileW(Wexo::FromAnsi(from).c_str(), to.c_str(), FALSE)) << from;
}

void CopyFileOrFail(const std::string& from, const std::string& to) {
    ASSERT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE)) << from << " -> " << to;
}

TempFolder::TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        path_ = FullPath(std::string(base) + "wexo-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(++counter));
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
    }
}

TempFolder::~TempFolder() { RemoveTree(Wexo::FromAnsi(path_)); }

Trace::Trace() : file_(folder_.File("trace.txt")) { SetEnvironmentVariableA("WEXO_TRACE", file_.c_str()); }

Trace::~Trace() { SetEnvironmentVariableA("WEXO_TRACE", nullptr); }

std::vector<std::string> Trace::Lines() const {
    std::vector<std::string> lines;
    std::istringstream in(ReadFileBytes(file_));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

int Trace::Count(const std::string& event, const std::string& modulePath) const {
    int count = 0;
    const std::string wanted = event + " " + FullPath(modulePath);
    for (const std::string& line : Lines()) count += lstrcmpiA(line.c_str(), wanted.c_str()) == 0 ? 1 : 0;
    return count;
}

CurrentDirectory::CurrentDirectory(const std::string& path) {
    char buffer[MAX_PATH];
    previous_.assign(buffer, GetCurrentDirectoryA(MAX_PATH, buffer));
    SetCurrentDirectoryA(path.c_str());
}

CurrentDirectory::~CurrentDirectory() { SetCurrentDirectoryA(previous_.c_str()); }

}  // namespace WexoTest
