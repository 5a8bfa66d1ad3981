#include "tests/support/fake_services.h"

namespace WexoTest {

std::int32_t ExportOk() { return 0; }
std::int32_t ExportFalse() { return 1; }
std::int32_t ExportFailed() { return static_cast<std::int32_t>(0x80004005u); }
std::int32_t ExportNegative() { return -1; }

Wexo::ModuleHandle FakeServices::LoadLibraryA(const Text& path) {
    calls.push_back("LoadLibraryA(" + path + ")");
    if (modules.count(path) == 0) return nullptr;
    handles_.push_back(path);
    ++loaded;
    return reinterpret_cast<Wexo::ModuleHandle>(handles_.size());
}

Wexo::ExportAddress FakeServices::GetProcAddress(Wexo::ModuleHandle module, const char* exportName) {
    calls.push_back(std::string("GetProcAddress(") + exportName + ")");
    const auto index = reinterpret_cast<std::uintptr_t>(module);
    if (index == 0 || index > handles_.size()) return nullptr;
    const Module& found = modules.at(handles_[index - 1]);
    auto entry = found.exports.find(exportName);
    if (entry == found.exports.end()) return nullptr;
    return reinterpret_cast<Wexo::ExportAddress>(entry->second);
}

void FakeServices::FreeLibrary(Wexo::ModuleHandle module) {
    calls.push_back("FreeLibrary(" + handles_.at(reinterpret_cast<std::uintptr_t>(module) - 1) + ")");
    --loaded;
}

bool FakeServices::CopyFileA(const Text& source, const Text& destination, bool failIfExists) {
    calls.push_back("CopyFileA(" + source + "," + destination + "," + (failIfExists ? "1" : "0") + ")");
    if (files.count(source) == 0 || source == destination) return false;
    if (failIfExists && files.count(destination) != 0) return false;
    files[destination] = source;
    if (modules.count(source) != 0) modules[destination] = modules[source];
    return true;
}

bool FakeServices::DeleteFileA(const Text& path) {
    calls.push_back("DeleteFileA(" + path + ")");
    if (files.count(path) == 0 || undeletable.count(path) != 0) return false;
    files.erase(path);
    return true;
}

bool FakeServices::GetSystemDirectoryA(Text& folder) {
    calls.push_back("GetSystemDirectoryA()");
    folder = "C:\\WINDOWS\\SYSTEM";
    return true;
}

void FakeServices::WinExec(const Text& commandLine, int show) {
    calls.push_back("WinExec(" + commandLine + "," + std::to_string(show) + ")");
}

bool FakeServices::GetCPInfo(std::uint32_t, Wexo::LeadBytes& leadBytes) {
    leadBytes = Wexo::LeadBytes::ShiftJis();
    return true;
}

void FakeServices::DragAcceptFiles(Wexo::WindowHandle, bool accept) {
    calls.push_back(std::string("DragAcceptFiles(") + (accept ? "1" : "0") + ")");
}

Text FakeServices::DragQueryFileA(Wexo::DropHandle, unsigned index) {
    calls.push_back("DragQueryFileA(" + std::to_string(index) + ")");
    return {};
}

void FakeServices::DragFinish(Wexo::DropHandle) { calls.push_back("DragFinish()"); }

std::intptr_t FakeServices::ShellExecuteA(Wexo::WindowHandle, const Text& verb, const Text& file,
                                          const Text& parameters, const Text& directory, int show) {
    calls.push_back("ShellExecuteA(" + verb + "," + file + "," + parameters + "," + directory + "," +
                    std::to_string(show) + ")");
    return files.count(file) != 0 ? 42 : Wexo::kShellFileNotFound;
}

Wexo::CursorHandle FakeServices::LoadCursorA(Wexo::InstanceHandle, const char* resourceName) {
    calls.push_back(std::string("LoadCursorA(") + resourceName + ")");
    return nullptr;
}

void FakeServices::SetWindowPos(Wexo::WindowHandle, bool topMost) {
    calls.push_back(std::string("SetWindowPos(") + (topMost ? "1" : "0") + ")");
}

void FakeServices::SetForegroundWindow(Wexo::WindowHandle) { calls.push_back("SetForegroundWindow()"); }

int FakeServices::Count(const std::string& callPrefix) const {
    int count = 0;
    for (const std::string& call : calls) count += call.rfind(callPrefix, 0) == 0 ? 1 : 0;
    return count;
}

}  // namespace WexoTest
