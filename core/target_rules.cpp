#include "core/target_rules.h"

#include <vector>

namespace Wexo {

namespace {

// Start offsets of the characters of `bytes`, found from the front: a trail byte can look like
// a separator (0x5C), so the text is never read backwards without these boundaries.
std::vector<std::size_t> CharacterStarts(const Text& bytes, const LeadBytes& lead) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < bytes.size();) {
        starts.push_back(i);
        const bool doubleByte = lead.IsLead(static_cast<unsigned char>(bytes[i])) && i + 1 < bytes.size();
        i += doubleByte ? 2 : 1;
    }
    return starts;
}

// The first `limit` bytes of `bytes`, one less where the cut would split a double-byte character.
Text CutAtCharacter(const Text& bytes, std::size_t limit, const LeadBytes& lead) {
    if (bytes.size() <= limit) return bytes;
    std::size_t end = 0;
    for (std::size_t start : CharacterStarts(bytes, lead)) {
        const bool doubleByte = lead.IsLead(static_cast<unsigned char>(bytes[start])) && start + 1 < bytes.size();
        const std::size_t next = start + (doubleByte ? 2 : 1);
        if (next > limit) break;
        end = next;
    }
    return bytes.substr(0, end);
}

bool IsSingle(const Text& bytes, const std::vector<std::size_t>& starts, std::size_t index, char c) {
    const std::size_t start = starts[index];
    const std::size_t next = index + 1 < starts.size() ? starts[index + 1] : bytes.size();
    return next - start == 1 && bytes[start] == c;
}

// "." and ".." name folders, not files.
bool IsFolderReference(const Text& filePart) { return filePart == "." || filePart == ".."; }

}  // namespace

PathParts TargetRules::Split(const Text& fullPath) const {
    const Text path = CutAtCharacter(fullPath, kSplitLimit, lead_);
    const std::vector<std::size_t> starts = CharacterStarts(path, lead_);

    // The file part follows the last separator, else a drive prefix ("X:" as the first two bytes).
    std::size_t fileStart = 0;
    if (starts.size() >= 2 && starts[1] == 1 && IsSingle(path, starts, 1, ':')) fileStart = 2;
    std::size_t firstFileChar = fileStart == 2 ? 2 : 0;  // index into starts
    for (std::size_t i = starts.size(); i-- > 0;) {
        if (IsSingle(path, starts, i, '\\') || IsSingle(path, starts, i, '/')) {
            fileStart = i + 1 < starts.size() ? starts[i + 1] : path.size();
            firstFileChar = i + 1;
            break;
        }
    }

    const Text filePart = path.substr(fileStart);
    if (IsFolderReference(filePart)) return {};

    std::size_t cut = path.size();
    for (std::size_t i = starts.size(); i-- > firstFileChar;) {
        if (IsSingle(path, starts, i, '.')) {
            cut = starts[i];
            break;
        }
    }

    PathParts parts;
    parts.extension = CutAtCharacter(path.substr(cut), kPartLimit, lead_);
    const Text rest = path.substr(fileStart, cut - fileStart);
    if (!IsFolderReference(rest)) parts.name = CutAtCharacter(rest, kPartLimit, lead_);
    return parts;
}

bool TargetRules::IsServerFile(const Text& path) const {
    const Text extension = Split(path).extension;
    if (extension.size() > kExtensionLimit) return false;
    Text upper = extension;
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper == ".DLL" || upper == ".OCX";
}

Text TargetRules::DisplayNameOf(const Text& path) const {
    PathParts parts = Split(path);
    return parts.name + parts.extension;
}

Text TargetRules::SystemFolderPathOf(const Text& folder, const Text& name) { return folder + "\\" + name; }

}  // namespace Wexo
