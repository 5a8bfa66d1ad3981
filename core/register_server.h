// One server file loaded as a module: calls its self-registration exports and releases it.
#pragma once

#include "core/text.h"
#include "platform/windows_services.h"

namespace Wexo {

class RegisterServer {
public:
    explicit RegisterServer(WindowsServices& services) : services_(services) {}
    ~RegisterServer() { Unload(); }
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

private:
    bool CallExport(const char* name);

    WindowsServices& services_;
    Text FileName;
    ModuleHandle Module = nullptr;
};

}  // namespace Wexo
