// Image files built byte by byte, for the code that reads their headers and import directories.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/text.h"

namespace WexoTest::Pe {

using Wexo::Text;

constexpr std::uint16_t kX86 = 0x14C;
constexpr std::uint16_t kX64 = 0x8664;
constexpr std::uint16_t kArm64 = 0xAA64;
constexpr std::uint16_t kPe32 = 0x10B;
constexpr std::uint16_t kPe32Plus = 0x20B;

inline void PutLe(Text& bytes, std::size_t offset, std::uint32_t value, std::size_t width) {
    if (bytes.size() < offset + width) bytes.resize(offset + width, '\0');
    for (std::size_t i = 0; i < width; ++i) bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline void Put16(Text& bytes, std::size_t offset, std::uint32_t value) { PutLe(bytes, offset, value, 2); }
inline void Put32(Text& bytes, std::size_t offset, std::uint32_t value) { PutLe(bytes, offset, value, 4); }

inline void PutText(Text& bytes, std::size_t offset, const Text& text) {
    if (bytes.size() < offset + text.size()) bytes.resize(offset + text.size(), '\0');
    bytes.replace(offset, text.size(), text);
}

inline std::size_t AlignUp(std::size_t value, std::size_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

struct Layout {
    std::uint16_t machine = kX86;
    std::uint16_t magic = kPe32;
    std::uint32_t lfanew = 0x80;
    std::uint32_t directoryCount = 16;  // NumberOfRvaAndSizes
    std::vector<Text> imports = {};     // none: no import directory
};

struct Image {
    Text bytes;
    std::size_t descriptorsAt = 0;  // file offset of the first import descriptor
};

// Two sections whose addresses and file offsets differ by different amounts: .idata with the descriptors, then
// .rdata with the module names.
inline Image Build(const Layout& layout) {
    constexpr std::size_t kFileAlignment = 0x200;
    constexpr std::size_t kSectionAlignment = 0x1000;
    const bool plus = layout.magic == kPe32Plus;
    const std::size_t directories = plus ? 112 : 96;
    const std::size_t optionalSize = directories + 16 * 8;
    const std::size_t fileHeader = layout.lfanew + 4;
    const std::size_t optional = fileHeader + 20;
    const std::size_t sectionTable = optional + optionalSize;

    const std::size_t descriptorBytes = (layout.imports.size() + 1) * 20;
    const std::size_t idataSize = descriptorBytes + 8;  // the descriptors, then one empty thunk list
    std::size_t rdataSize = 0;
    for (const Text& name : layout.imports) rdataSize += name.size() + 1;

    const std::uint32_t idataVa = 0x2000;
    const std::uint32_t rdataVa = idataVa + AlignUp(idataSize, kSectionAlignment) + kSectionAlignment;
    const std::size_t idataRaw = AlignUp(sectionTable + 2 * 40, kFileAlignment);
    const std::size_t rdataRaw = idataRaw + AlignUp(idataSize, kFileAlignment);
    const std::size_t fileSize = rdataRaw + AlignUp(rdataSize, kFileAlignment);

    Image image;
    Text& b = image.bytes;
    b.assign(fileSize, '\0');
    PutText(b, 0, "MZ");
    Put32(b, 0x3C, layout.lfanew);
    PutText(b, layout.lfanew, Text("PE\0\0", 4));
    Put16(b, fileHeader, layout.machine);
    Put16(b, fileHeader + 2, 2);  // NumberOfSections
    Put16(b, fileHeader + 16, optionalSize);
    Put16(b, fileHeader + 18, 0x2102);  // executable DLL
    Put16(b, optional, layout.magic);
    Put32(b, optional + directories - 4, layout.directoryCount);
    if (!layout.imports.empty()) {
        Put32(b, optional + directories + 8, idataVa);
        Put32(b, optional + directories + 12, descriptorBytes);
    }

    const struct {
        const char* name;
        std::size_t size;
        std::uint32_t va;
        std::size_t raw;
    } sections[] = {{".idata", idataSize, idataVa, idataRaw}, {".rdata", rdataSize, rdataVa, rdataRaw}};
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t header = sectionTable + i * 40;
        PutText(b, header, sections[i].name);
        Put32(b, header + 8, sections[i].size);
        Put32(b, header + 12, sections[i].va);
        Put32(b, header + 16, AlignUp(sections[i].size, kFileAlignment));
        Put32(b, header + 20, sections[i].raw);
        Put32(b, header + 36, 0x40000040);  // initialized data, readable
    }

    image.descriptorsAt = idataRaw;
    std::size_t nameAt = 0;
    for (std::size_t i = 0; i < layout.imports.size(); ++i) {
        const std::size_t descriptor = idataRaw + i * 20;
        Put32(b, descriptor + 12, rdataVa + nameAt);
        Put32(b, descriptor + 16, idataVa + descriptorBytes);  // FirstThunk
        PutText(b, rdataRaw + nameAt, layout.imports[i]);
        nameAt += layout.imports[i].size() + 1;
    }
    return image;
}

}  // namespace WexoTest::Pe
