// Texts on their way to the screen, which takes UTF-16: the program's own texts are Shift_JIS whatever the
// system's code page; paths and the system's words are in the ANSI code page.
#pragma once

#include <string>

#include "core/text.h"

namespace Wexo {

inline constexpr unsigned kOwnCodePage = 932;

std::wstring FromOwnText(const Text& text);
// A message: Shift_JIS, with the runs between the system-run marks in the ANSI code page.
std::wstring FromMessage(const Text& message);

}  // namespace Wexo
