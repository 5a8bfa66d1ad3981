#include "core/command_line.h"

namespace Wexo {

namespace {

// Control characters count as blanks; bytes from 0x80 up (Shift_JIS) never do.
template <typename Char>
bool IsBlank(Char c) {
    return c != Char(0) && static_cast<unsigned long>(static_cast<std::make_unsigned_t<Char>>(c)) <= ' ';
}

}  // namespace

template <typename Char>
BasicCommandLine<Char>::BasicCommandLine(const String& commandLine) {
    const Char quote = Char('"');
    const Char end = Char(0);
    std::size_t i = 0;
    const std::size_t n = commandLine.size();
    for (;;) {
        // Blanks and empty quote pairs between arguments are skipped.
        for (;;) {
            while (i < n && IsBlank(commandLine[i])) ++i;
            if (i + 1 < n && commandLine[i] == quote && commandLine[i + 1] == quote) {
                i += 2;
            } else {
                break;
            }
        }
        if (i >= n || commandLine[i] == end) break;
        String param;
        while (i < n && commandLine[i] != end && !IsBlank(commandLine[i])) {
            if (commandLine[i] == quote) {
                ++i;
                while (i < n && commandLine[i] != end && commandLine[i] != quote) param += commandLine[i++];
                if (i < n && commandLine[i] == quote) ++i;
            } else {
                param += commandLine[i++];
            }
        }
        params_.push_back(param);
    }
    if (params_.empty()) params_.emplace_back();
}

template <typename Char>
typename BasicCommandLine<Char>::String BasicCommandLine<Char>::ParamStr(int index) const {
    if (index < 0 || index >= static_cast<int>(params_.size())) return {};
    return params_[static_cast<std::size_t>(index)];
}

template class BasicCommandLine<char>;
template class BasicCommandLine<wchar_t>;

}  // namespace Wexo
