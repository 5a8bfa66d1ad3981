#include "core/register_server.h"

#include "core/pe_image.h"

namespace Wexo {

namespace {

// Only a file that failed to load is read whole, and only to name what it lacks; a server is rarely more than a
// few megabytes.
constexpr std::size_t kImageReadLimit = 64u << 20;

}  // namespace

bool RegisterServer::Load(const Text& path) {
    // A handle held from an earlier load would otherwise never be released.
    Unload();
    const LoadOutcome outcome = services_.LoadServer(path);
    if (outcome.fault) throw ServerFaultError(*outcome.fault);
    Module = outcome.module;
    loadFailure_ = Module == nullptr ? WhyNotLoaded(path, outcome.error) : Failure();
    failure_ = loadFailure_;
    if (Module == nullptr) return false;
    FileName = path;
    return true;
}

Failure RegisterServer::WhyNotLoaded(const Text& path, std::uint32_t error) {
    Failure failure;
    // The loader says "module not found" for a file that is not there at all; say what users look for.
    if (error == ErrorCode::kModuleNotFound && services_.ReadFileBytes(path, 2).empty()) {
        error = ErrorCode::kFileNotFound;
    } else if (error == ErrorCode::kModuleNotFound) {
        failure.name = MissingDependencyOf(path);
        if (!failure.name.empty()) {
            failure.kind = Failure::Kind::MissingDependency;
            return failure;
        }
    }
    failure.kind = Failure::Kind::NotLoaded;
    failure.code = error;
    failure.systemText = services_.SystemMessage(error);
    return failure;
}

void RegisterServer::Unload() {
    if (std::optional<ServerFault> fault = Release()) throw ServerFaultError(*fault);
}

std::optional<ServerFault> RegisterServer::Release() {
    if (Module == nullptr) return std::nullopt;
    ModuleHandle module = Module;
    Module = nullptr;
    return services_.ReleaseServer(module);
}

bool RegisterServer::CallExport(const char* name) {
    if (Module == nullptr) {
        failure_ = loadFailure_;
        return false;
    }
    failure_ = {};
    ExportAddress address = services_.FindExport(Module, name);
    if (address == nullptr) {
        failure_.kind = Failure::Kind::MissingExport;
        failure_.name = name;
        return false;
    }
    const ExportOutcome outcome = services_.CallExport(address);
    if (outcome.fault) throw ServerFaultError(*outcome.fault);
    if (outcome.status >= 0) return true;
    failure_.kind = Failure::Kind::ExportFailed;
    failure_.name = name;
    failure_.code = static_cast<std::uint32_t>(outcome.status);
    failure_.systemText = services_.SystemMessage(failure_.code);
    return false;
}

Text RegisterServer::MissingDependencyOf(const Text& path) {
    for (const Text& name : ImportedModulesOf(services_.ReadFileBytes(path, kImageReadLimit))) {
        if (!services_.DependencyFound(name, path)) return name;
    }
    return {};
}

}  // namespace Wexo
