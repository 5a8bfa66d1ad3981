#include "core/register_server.h"

#include <cstdint>

namespace Wexo {

namespace {

// The self-registration contract: no arguments, an HRESULT back; 32-bit Windows uses stdcall.
#if defined(_WIN32) && defined(__i386__)
using ServerExport = std::int32_t(__attribute__((stdcall)) *)();
#else
using ServerExport = std::int32_t (*)();
#endif

}  // namespace

bool RegisterServer::Load(const Text& path) {
    // A handle held from an earlier load would otherwise never be released.
    Unload();
    Module = services_.LoadLibraryA(path);
    if (Module == nullptr) return false;
    FileName = path;
    return true;
}

void RegisterServer::Unload() {
    if (Module == nullptr) return;
    services_.FreeLibrary(Module);
    Module = nullptr;
}

bool RegisterServer::CallExport(const char* name) {
    if (Module == nullptr) return false;
    ExportAddress address = services_.GetProcAddress(Module, name);
    if (address == nullptr) return false;
    const std::int32_t status = reinterpret_cast<ServerExport>(address)();
    return status >= 0;
}

}  // namespace Wexo
