// Rules about target files: whether a path names a server file, the name the window shows for
// it, and the path its copy in the system folder gets. Pure functions over Shift_JIS bytes.
#pragma once

#include "core/lead_bytes.h"
#include "core/text.h"

namespace Wexo {

struct PathParts {
    Text name;       // file part before the extension
    Text extension;  // the file part's last dot and what follows it
};

class TargetRules {
public:
    // Only this many leading bytes of a path are split; the rest is ignored.
    static constexpr std::size_t kSplitLimit = 260;
    // Longest name or extension the split delivers.
    static constexpr std::size_t kPartLimit = 255;
    // The extension test holds at most this many bytes; longer extensions are refused.
    static constexpr std::size_t kExtensionLimit = 31;

    explicit TargetRules(LeadBytes leadBytes) : lead_(leadBytes) {}

    PathParts Split(const Text& path) const;
    bool IsServerFile(const Text& path) const;
    Text DisplayNameOf(const Text& path) const;
    static Text SystemFolderPathOf(const Text& folder, const Text& name);

private:
    LeadBytes lead_;
};

}  // namespace Wexo
