// A recording stand-in for the run's services, for failures the real system will not produce
// on demand and for counting calls. Files live in memory; modules are named by their path.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/run_services.h"

namespace WexoTest {

using Wexo::Text;

// Exports the fake modules can offer, one per status.
std::int32_t ExportOk();        // S_OK
std::int32_t ExportFalse();     // S_FALSE
std::int32_t ExportFailed();    // E_FAIL
std::int32_t ExportNegative();  // -1
// Stands for an export that faults: CallExport reports FakeServices::exportFault instead of calling it.
std::int32_t ExportFaults();

class FakeServices : public Wexo::RunServices {
public:
    struct Module {
        std::map<std::string, std::int32_t (*)()> exports;
    };

    // What can be loaded, by path.
    std::map<Text, Module> modules;
    // What exists on "disk"; content names the file a copy came from.
    std::map<Text, Text> files;
    std::set<Text> undeletable;
    // The bytes of files that have them (images), by path; copies carry them along.
    std::map<Text, Text> bytes;
    // Why a path that is no module cannot be loaded; by default 2 (no such file) or 193 (not an image).
    std::map<Text, std::uint32_t> loadErrors;
    // Modules the loader finds as dependencies, by name.
    std::set<Text> dependencies;
    // Faults raised while loading or releasing a module, by path, and by a faulting export.
    std::map<Text, Wexo::ServerFault> faultOnLoad;
    std::map<Text, Wexo::ServerFault> faultOnFree;
    Wexo::ServerFault exportFault;
    Wexo::Bitness bitness = Wexo::Bitness::Bits64;
    std::map<Wexo::Bitness, Text> programs;  // the programs standing beside this one
    bool startFails = false;

    // Every call, in order, as "Name(args)".
    std::vector<std::string> calls;
    int loaded = 0;  // modules currently held by callers

    Wexo::LoadOutcome LoadServer(const Text& path) override;
    Wexo::ExportAddress FindExport(Wexo::ModuleHandle module, const char* exportName) override;
    Wexo::ExportOutcome CallExport(Wexo::ExportAddress address) override;
    std::optional<Wexo::ServerFault> ReleaseServer(Wexo::ModuleHandle module) override;
    Wexo::Outcome Copy(const Text& source, const Text& destination, bool failIfExists) override;
    Wexo::Outcome Delete(const Text& path) override;
    // "text(<code>)", so that a test sees which code's words were asked for.
    Text SystemMessage(std::uint32_t code) override { return "text(" + std::to_string(code) + ")"; }
    Text ReadFileBytes(const Text& path, std::size_t limit) override;
    bool DependencyFound(const Text& name, const Text& serverPath) override;
    Wexo::Bitness ProgramBitness() override { return bitness; }
    Text ProgramFor(Wexo::Bitness bitness) override;
    Wexo::Outcome StartProgram(const Text& program, const Text& argument) override;

    int Count(const std::string& callPrefix) const;

private:
    // Handles are 1-based indexes into this list of loaded paths.
    std::vector<Text> handles_;
};

}  // namespace WexoTest
