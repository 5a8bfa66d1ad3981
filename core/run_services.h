// What a registration run needs of the system: loading a server and calling into it, copying and deleting
// files, and the facts that tell the user why a step failed. The platform provides it; tests stand in for it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/failure.h"
#include "core/server_fault.h"
#include "core/text.h"

namespace Wexo {

// A loaded server, opaque to the core.
using ModuleHandle = void*;
using ExportAddress = void (*)();

// A system call's success, and the system's error code when it failed.
struct Outcome {
    bool ok = false;
    std::uint32_t error = 0;
};

// A server load: the module, or null with the loader's error code. A fault the server raised while the loader ran
// its initialisation is reported here rather than taking the program down.
struct LoadOutcome {
    ModuleHandle module = nullptr;
    std::uint32_t error = 0;
    std::optional<ServerFault> fault;
};

// A call of a server's export: its status, or the fault that ended it.
struct ExportOutcome {
    std::int32_t status = 0;
    std::optional<ServerFault> fault;
};

class RunServices {
public:
    virtual ~RunServices() = default;

    // Loads a server. A bare file name means the file in the current directory, and the server's own folder is
    // searched for its dependencies.
    virtual LoadOutcome LoadServer(const Text& path) = 0;
    // Null when the server has no export of that name.
    virtual ExportAddress FindExport(ModuleHandle module, const char* name) = 0;
    // Calls a self-registration export (no arguments, an HRESULT back); a fault inside it is caught.
    virtual ExportOutcome CallExport(ExportAddress address) = 0;
    // A fault while the server detaches is returned, never thrown: a release also runs while an earlier fault is
    // on its way to the user.
    virtual std::optional<ServerFault> ReleaseServer(ModuleHandle module) = 0;
    virtual Outcome Copy(const Text& source, const Text& destination, bool failIfExists) = 0;
    virtual Outcome Delete(const Text& path) = 0;

    // The system's own words for an error code or HRESULT, in the user's language; empty when it has none.
    virtual Text SystemMessage(std::uint32_t code) = 0;
    // At most `limit` leading bytes of a file; empty when it cannot be read.
    virtual Text ReadFileBytes(const Text& path, std::size_t limit) = 0;
    // Whether the loader would find the module `name` for a server at `serverPath`: already loaded, or in one of
    // the folders it searches, the server's own first.
    virtual bool DependencyFound(const Text& name, const Text& serverPath) = 0;
    // The bitness this program runs with.
    virtual Bitness ProgramBitness() = 0;
    // The path of the program built for `bitness` when it stands beside this one; empty otherwise.
    virtual Text ProgramFor(Bitness bitness) = 0;
    // Starts `program` with `argument` as its one argument.
    virtual Outcome StartProgram(const Text& program, const Text& argument) = 0;
};

}  // namespace Wexo
