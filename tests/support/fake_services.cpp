#include "tests/support/fake_services.h"

namespace WexoTest {

std::int32_t ExportOk() { return 0; }
std::int32_t ExportFalse() { return 1; }
std::int32_t ExportFailed() { return static_cast<std::int32_t>(0x80004005u); }
std::int32_t ExportNegative() { return -1; }
std::int32_t ExportFaults() { return 0; }

Wexo::LoadOutcome FakeServices::LoadServer(const Text& path) {
    calls.push_back("LoadServer(" + path + ")");
    Wexo::LoadOutcome outcome;
    if (faultOnLoad.count(path) != 0) {
        outcome.fault = faultOnLoad.at(path);
        return outcome;
    }
    if (modules.count(path) == 0) {
        outcome.error = loadErrors.count(path) != 0 ? loadErrors.at(path) : files.count(path) != 0 ? 193 : 2;
        return outcome;
    }
    handles_.push_back(path);
    ++loaded;
    outcome.module = reinterpret_cast<Wexo::ModuleHandle>(handles_.size());
    return outcome;
}

Wexo::ExportAddress FakeServices::FindExport(Wexo::ModuleHandle module, const char* exportName) {
    calls.push_back(std::string("FindExport(") + exportName + ")");
    const auto index = reinterpret_cast<std::uintptr_t>(module);
    if (index == 0 || index > handles_.size()) return nullptr;
    const Module& found = modules.at(handles_[index - 1]);
    auto entry = found.exports.find(exportName);
    if (entry == found.exports.end()) return nullptr;
    return reinterpret_cast<Wexo::ExportAddress>(entry->second);
}

Wexo::ExportOutcome FakeServices::CallExport(Wexo::ExportAddress address) {
    Wexo::ExportOutcome outcome;
    const auto function = reinterpret_cast<std::int32_t (*)()>(address);
    if (function == ExportFaults) {
        outcome.fault = exportFault;
    } else {
        outcome.status = function();
    }
    return outcome;
}

std::optional<Wexo::ServerFault> FakeServices::ReleaseServer(Wexo::ModuleHandle module) {
    const Text& path = handles_.at(reinterpret_cast<std::uintptr_t>(module) - 1);
    calls.push_back("ReleaseServer(" + path + ")");
    --loaded;
    if (faultOnFree.count(path) != 0) return faultOnFree.at(path);
    return std::nullopt;
}

Wexo::Outcome FakeServices::Copy(const Text& source, const Text& destination, bool failIfExists) {
    calls.push_back("Copy(" + source + "," + destination + "," + (failIfExists ? "1" : "0") + ")");
    if (files.count(source) == 0) return {false, 2};
    if (source == destination) return {false, 32};
    if (failIfExists && files.count(destination) != 0) return {false, 80};
    files[destination] = source;
    if (modules.count(source) != 0) modules[destination] = modules[source];
    if (bytes.count(source) != 0) bytes[destination] = bytes[source];
    return {true, 0};
}

Wexo::Outcome FakeServices::Delete(const Text& path) {
    calls.push_back("Delete(" + path + ")");
    if (files.count(path) == 0) return {false, 2};
    if (undeletable.count(path) != 0) return {false, 5};
    files.erase(path);
    bytes.erase(path);
    return {true, 0};
}

Text FakeServices::ReadFileBytes(const Text& path, std::size_t limit) {
    if (bytes.count(path) == 0) return {};
    return bytes.at(path).substr(0, limit);
}

bool FakeServices::DependencyFound(const Text& name, const Text& serverPath) {
    calls.push_back("DependencyFound(" + name + "," + serverPath + ")");
    return dependencies.count(name) != 0;
}

Text FakeServices::ProgramFor(Wexo::Bitness wanted) { return programs.count(wanted) != 0 ? programs.at(wanted) : ""; }

Wexo::Outcome FakeServices::StartProgram(const Text& program, const Text& argument) {
    calls.push_back("StartProgram(" + program + "," + argument + ")");
    return startFails ? Wexo::Outcome{false, 2} : Wexo::Outcome{true, 0};
}

int FakeServices::Count(const std::string& callPrefix) const {
    int count = 0;
    for (const std::string& call : calls) count += call.rfind(callPrefix, 0) == 0 ? 1 : 0;
    return count;
}

}  // namespace WexoTest
