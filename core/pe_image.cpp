#include "core/pe_image.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace Wexo {

namespace {

constexpr std::size_t kDosHeaderBytes = 0x40;
constexpr std::size_t kLfanewOffset = 0x3C;
constexpr std::size_t kSignatureBytes = 4;
constexpr std::size_t kFileHeaderBytes = 20;
constexpr std::size_t kSectionHeaderBytes = 40;
constexpr std::size_t kDataDirectoryBytes = 8;
constexpr std::size_t kImportDirectoryIndex = 1;
constexpr std::size_t kDescriptorBytes = 20;
constexpr std::size_t kDescriptorNameOffset = 12;

constexpr std::uint16_t kMachineX86 = 0x14C;
constexpr std::uint16_t kMachineX64 = 0x8664;
constexpr std::uint16_t kMagicPe32 = 0x10B;
constexpr std::uint16_t kMagicPe32Plus = 0x20B;

// Whether `length` bytes at `offset` lie inside `bytes`, compared so that no sum can wrap.
bool Fits(const Text& bytes, std::uint64_t offset, std::uint64_t length) {
    return offset <= bytes.size() && length <= bytes.size() - offset;
}

// Little-endian, a byte at a time: fields in a file are not aligned for the host. The caller has checked Fits.
std::uint32_t ReadLe(const Text& bytes, std::size_t offset, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return value;
}

std::uint16_t Read16(const Text& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(ReadLe(bytes, offset, 2));
}

std::uint32_t Read32(const Text& bytes, std::size_t offset) { return ReadLe(bytes, offset, 4); }

// File offset of the "PE\0\0" signature, which the file header follows.
std::optional<std::size_t> SignatureOffset(const Text& bytes) {
    if (!Fits(bytes, 0, kDosHeaderBytes) || bytes[0] != 'M' || bytes[1] != 'Z') return std::nullopt;
    const std::uint32_t lfanew = Read32(bytes, kLfanewOffset);
    if (lfanew > kImageHeaderBytes - kSignatureBytes - kFileHeaderBytes) return std::nullopt;
    if (!Fits(bytes, lfanew, kSignatureBytes + kFileHeaderBytes)) return std::nullopt;
    if (std::string_view(bytes).substr(lfanew, kSignatureBytes) != std::string_view("PE\0\0", 4)) return std::nullopt;
    return lfanew;
}

struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t fileBytes;  // how much of the section the file supplies
    std::uint32_t rawOffset;
};

// Where an RVA lies in the file, and how many bytes of its section the file holds from there on.
struct Place {
    std::size_t offset;
    std::size_t available;
};

std::optional<Place> PlaceOf(const std::vector<Section>& sections, const Text& bytes, std::uint64_t rva) {
    for (const Section& s : sections) {
        if (rva < s.virtualAddress || rva - s.virtualAddress >= s.fileBytes) continue;
        const std::uint64_t delta = rva - s.virtualAddress;
        const std::uint64_t offset = s.rawOffset + delta;
        if (offset >= bytes.size()) return std::nullopt;
        const std::uint64_t available = std::min<std::uint64_t>(s.fileBytes - delta, bytes.size() - offset);
        return Place{static_cast<std::size_t>(offset), static_cast<std::size_t>(available)};
    }
    return std::nullopt;
}

std::vector<Section> SectionsOf(const Text& bytes, std::size_t table, std::uint16_t count) {
    std::vector<Section> sections;
    if (!Fits(bytes, table, std::uint64_t{count} * kSectionHeaderBytes)) return sections;
    sections.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t header = table + i * kSectionHeaderBytes;
        const std::uint32_t virtualSize = Read32(bytes, header + 8);
        const std::uint32_t rawSize = Read32(bytes, header + 16);
        // Some linkers leave VirtualSize at 0; the raw size is all there is then.
        const std::uint32_t fileBytes = virtualSize == 0 ? rawSize : std::min(virtualSize, rawSize);
        sections.push_back(Section{Read32(bytes, header + 12), fileBytes, Read32(bytes, header + 20)});
    }
    return sections;
}

// A zero-terminated, non-empty name that lies wholly in its section and within the length limit.
std::optional<Text> NameAt(const Text& bytes, const Place& place) {
    const std::string_view window(bytes.data() + place.offset, std::min(place.available, kMaxModuleNameBytes + 1));
    const std::size_t end = window.find('\0');
    if (end == 0 || end == std::string_view::npos) return std::nullopt;
    return Text(window.substr(0, end));
}

}  // namespace

ImageHeader ReadImageHeader(const Text& headBytes) {
    const std::optional<std::size_t> signature = SignatureOffset(headBytes);
    if (!signature) return {};
    ImageHeader header;
    header.machineCode = Read16(headBytes, *signature + kSignatureBytes);
    if (header.machineCode == kMachineX86) {
        header.machine = ImageMachine::X86;
    } else if (header.machineCode == kMachineX64) {
        header.machine = ImageMachine::X64;
    } else {
        header.machine = ImageMachine::Other;
    }
    return header;
}

std::vector<Text> ImportedModulesOf(const Text& bytes) {
    std::vector<Text> modules;
    const std::optional<std::size_t> signature = SignatureOffset(bytes);
    if (!signature) return modules;

    const std::size_t fileHeader = *signature + kSignatureBytes;
    const std::uint16_t sectionCount = Read16(bytes, fileHeader + 2);
    const std::uint16_t optionalSize = Read16(bytes, fileHeader + 16);
    const std::size_t optional = fileHeader + kFileHeaderBytes;
    if (optionalSize < 2 || !Fits(bytes, optional, optionalSize)) return modules;

    // The two optional header layouts differ in where NumberOfRvaAndSizes and the data directories sit.
    std::size_t countField = 0;
    std::size_t directories = 0;
    const std::uint16_t magic = Read16(bytes, optional);
    if (magic == kMagicPe32) {
        countField = 92;
        directories = 96;
    } else if (magic == kMagicPe32Plus) {
        countField = 108;
        directories = 112;
    } else {
        return modules;
    }
    const std::size_t importEntry = directories + kImportDirectoryIndex * kDataDirectoryBytes;
    if (optionalSize < importEntry + kDataDirectoryBytes) return modules;
    if (Read32(bytes, optional + countField) <= kImportDirectoryIndex) return modules;
    const std::uint32_t importRva = Read32(bytes, optional + importEntry);
    if (importRva == 0) return modules;

    const std::vector<Section> sections = SectionsOf(bytes, optional + optionalSize, sectionCount);
    for (std::size_t i = 0; i < kMaxImportDescriptors; ++i) {
        const std::optional<Place> descriptor =
            PlaceOf(sections, bytes, importRva + std::uint64_t{i} * kDescriptorBytes);
        if (!descriptor || descriptor->available < kDescriptorBytes) break;
        // Name is 0 in the all-zero descriptor that ends the table, and a descriptor without a name ends it too.
        const std::uint32_t nameRva = Read32(bytes, descriptor->offset + kDescriptorNameOffset);
        if (nameRva == 0) break;
        const std::optional<Place> namePlace = PlaceOf(sections, bytes, nameRva);
        if (!namePlace) break;
        std::optional<Text> name = NameAt(bytes, *namePlace);
        if (!name) break;
        modules.push_back(std::move(*name));
    }
    return modules;
}

}  // namespace Wexo
