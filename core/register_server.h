// One server file loaded as a module: calls its self-registration exports and releases it. When a step fails it
// keeps the facts of why (LastFailure). A fault raised inside the server is thrown as ServerFaultError.
#pragma once

#include <optional>

#include "core/failure.h"
#include "core/text.h"
#include "core/run_services.h"

namespace Wexo {

class RegisterServer {
public:
    explicit RegisterServer(RunServices& services) : services_(services) {}
    // Releases a module still held. A fault while it detaches is not thrown from here: either the run is already
    // carrying a fault to the user, or the run released the module itself with Unload.
    ~RegisterServer() { Release(); }
    RegisterServer(const RegisterServer&) = delete;
    RegisterServer& operator=(const RegisterServer&) = delete;

    // False when the module cannot be loaded; FileName then keeps its last value.
    bool Load(const Text& path);
    // Releases the module if one is held; any number of calls is safe.
    void Unload();
    // True when the export ran and returned a status of zero or more.
    bool Register() { return CallExport("DllRegisterServer"); }
    bool Unregister() { return CallExport("DllUnregisterServer"); }

    const Text& GetFileName() const { return FileName; }
    bool IsLoaded() const { return Module != nullptr; }
    // Why the last Load, Register or Unregister failed; Kind::None after a success.
    const Failure& LastFailure() const { return failure_; }

private:
    bool CallExport(const char* name);
    std::optional<ServerFault> Release();
    Failure WhyNotLoaded(const Text& path, std::uint32_t error);
    // The first module the file imports that the loader cannot find; empty when all are there.
    Text MissingDependencyOf(const Text& path);

    RunServices& services_;
    Text FileName;
    ModuleHandle Module = nullptr;
    Failure failure_;
    Failure loadFailure_;  // kept for the export calls that a failed load makes fail
};

}  // namespace Wexo
