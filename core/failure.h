// Why a step of a run failed, as facts the platform gathered, and the one or two Japanese lines that tell the
// user what went wrong and what to do. The fixed first line of each box (登録失敗 and the like) stays the
// caller's; these lines go below it.
#pragma once

#include <cstdint>

#include "core/text.h"

namespace Wexo {

enum class Bitness { Bits32, Bits64 };

// Error codes the reasons tell apart, as Windows numbers them.
namespace ErrorCode {
inline constexpr std::uint32_t kFileNotFound = 2;               // ERROR_FILE_NOT_FOUND
inline constexpr std::uint32_t kModuleNotFound = 126;           // ERROR_MOD_NOT_FOUND
inline constexpr std::uint32_t kAccessDenied = 0x80070005u;     // E_ACCESSDENIED
inline constexpr std::uint32_t kTypeLibRegistry = 0x8002801Cu;  // TYPE_E_REGISTRYACCESS
}  // namespace ErrorCode

struct Failure {
    enum class Kind {
        None,
        NotLoaded,          // the loader refused the file: `code`, `systemText`
        MissingDependency,  // a module the file imports is nowhere the loader looks: `name`
        MissingExport,      // the file lacks the export `name`
        ExportFailed,       // the export `name` returned the HRESULT `code`, `systemText`
        OtherBitness,       // the file is for `bitness`; `name` is the program that can take it
        OtherMachine,       // the file is for a processor of machine type `code`
        FileOperation,      // a copy or deletion failed: `code`, `systemText`
    };

    Kind kind = Kind::None;
    std::uint32_t code = 0;
    Text systemText;
    Text name;
    Bitness bitness = Bitness::Bits32;
};

// The program built for each bitness; they ship side by side.
Text ProgramNameFor(Bitness bitness);

// The lines below the fixed first line; empty for Kind::None. `fileName` stands in for the system's "%1".
Text DescribeFailure(const Failure& failure, const Text& fileName);

// `firstLine`, then the description on the lines below it when there is one.
Text WithReason(const Text& firstLine, const Failure& failure, const Text& fileName);

}  // namespace Wexo
