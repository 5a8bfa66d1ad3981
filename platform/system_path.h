// Paths come in as UTF-16 (command line, drop, file dialog) and are used in the system's ANSI code page. The
// conversion must never substitute: a best-fit character can turn into a separator (the yen sign into 0x5C) and
// make the program act on another file, and a default character ('?') names no file at all.
#pragma once

#include <optional>
#include <string>

#include "core/text.h"

namespace Wexo {

// The longest path the program takes: what the file dialog and a drop deliver at most.
inline constexpr std::size_t kLongestPath = 259;

enum class PathRefusal { None, Unconvertible, TooLong };

struct SystemPath {
    Text path;  // in the ANSI code page; empty when refused
    PathRefusal refusal = PathRefusal::None;
};

// `text` in the ANSI code page when every character converts exactly and back again; nothing otherwise.
std::optional<Text> ToAnsiExact(const std::wstring& text);
// Text in the ANSI code page (or in `codePage`) as UTF-16.
std::wstring FromCodePage(const Text& text, unsigned codePage);
std::wstring FromAnsi(const Text& text);

// The path as the ANSI code page spells it, exactly; failing that, by the file's short (8.3) name where the volume
// has one that converts exactly and fits; otherwise refused, with the reason.
SystemPath ToSystemPath(const std::wstring& path);

}  // namespace Wexo
