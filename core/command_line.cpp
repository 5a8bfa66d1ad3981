#include "core/command_line.h"

namespace Wexo {

namespace {

// Control characters count as blanks; bytes from 0x80 up (Shift_JIS) never do.
bool IsBlank(char c) { return c != '\0' && static_cast<unsigned char>(c) <= ' '; }

}  // namespace

CommandLine::CommandLine(const Text& commandLine) {
    std::size_t i = 0;
    const std::size_t n = commandLine.size();
    for (;;) {
        // Blanks and empty quote pairs between arguments are skipped.
        for (;;) {
            while (i < n && IsBlank(commandLine[i])) ++i;
            if (i + 1 < n && commandLine[i] == '"' && commandLine[i + 1] == '"') {
                i += 2;
            } else {
                break;
            }
        }
        if (i >= n || commandLine[i] == '\0') break;
        Text param;
        while (i < n && commandLine[i] != '\0' && !IsBlank(commandLine[i])) {
            if (commandLine[i] == '"') {
                ++i;
                while (i < n && commandLine[i] != '\0' && commandLine[i] != '"') param += commandLine[i++];
                if (i < n && commandLine[i] == '"') ++i;
            } else {
                param += commandLine[i++];
            }
        }
        params_.push_back(param);
    }
    if (params_.empty()) params_.emplace_back();
}

Text CommandLine::ParamStr(int index) const {
    if (index < 0 || index >= static_cast<int>(params_.size())) return {};
    return params_[static_cast<std::size_t>(index)];
}

}  // namespace Wexo
