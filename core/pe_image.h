// What the headers of an image file (.exe, .dll, .ocx) tell: the machine it is built for and the modules it
// imports. Pure functions over the file's bytes; any file may be hostile, so every read is bounds-checked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/text.h"

namespace Wexo {

// The machine an executable image is built for, read from its headers.
enum class ImageMachine { NotAnImage, X86, X64, Other };

struct ImageHeader {
    ImageMachine machine = ImageMachine::NotAnImage;
    // IMAGE_FILE_HEADER.Machine as found (0x14C, 0x8664, 0xAA64 ...), 0 when not an image.
    std::uint16_t machineCode = 0;
};

// The "PE\0\0" signature and the file header must end within this many leading bytes, so that the head of a file
// decides exactly as the whole file would.
inline constexpr std::size_t kImageHeaderBytes = 4096;

// Limits that keep a hostile import directory from making the walk loop or allocate without end.
inline constexpr std::size_t kMaxImportDescriptors = 4096;
inline constexpr std::size_t kMaxModuleNameBytes = 259;  // MAX_PATH less the terminator

// Reads the DOS header, the "PE\0\0" signature and the file header from the first bytes of a file. Anything
// truncated, out of range or without the signatures is NotAnImage.
ImageHeader ReadImageHeader(const Text& headBytes);

// The names of the modules a whole image file imports (PE32 or PE32+), in the order of its import directory; the
// delay-load table is not read. A malformed, truncated or out-of-range structure ends the walk with the names read
// so far.
std::vector<Text> ImportedModulesOf(const Text& imageBytes);

}  // namespace Wexo
