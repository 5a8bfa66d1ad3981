// The run's services as the real system provides them: the loader behind a fault guard, the file system, and
// the system's own words for its errors.
#pragma once

#include "core/run_services.h"

namespace Wexo {

class Win32RunServices : public RunServices {
public:
    LoadOutcome LoadServer(const Text& path) override;
    ExportAddress FindExport(ModuleHandle module, const char* name) override;
    ExportOutcome CallExport(ExportAddress address) override;
    std::optional<ServerFault> ReleaseServer(ModuleHandle module) override;
    Outcome Copy(const Text& source, const Text& destination, bool failIfExists) override;
    Outcome Delete(const Text& path) override;
    Text SystemMessage(std::uint32_t code) override;
    Text ReadFileBytes(const Text& path, std::size_t limit) override;
    bool DependencyFound(const Text& name, const Text& serverPath) override;
    Bitness ProgramBitness() override;
    Text ProgramFor(Bitness bitness) override;
    Outcome StartProgram(const Text& program, const Text& argument) override;
};

}  // namespace Wexo
