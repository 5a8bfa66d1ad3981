// Text as the program handles it: bytes; empty means "no value". The program's own texts are Shift_JIS (code page
// 932); paths and the system's own words are in the system's ANSI code page.
#pragma once

#include <string>

namespace Wexo {

using Text = std::string;

// A message is Shift_JIS, but a path or the system's words inside it are in the ANSI code page. Such a run stands
// between these two bytes, which no path and no system message contains, so that the window shows each run in its
// own code page.
inline constexpr char kSystemRunBegin = '\x0E';  // shift out
inline constexpr char kSystemRunEnd = '\x0F';    // shift in

inline Text SystemRun(const Text& text) { return kSystemRunBegin + text + kSystemRunEnd; }

// The message's bytes without the marks: how it reads where the two code pages agree.
inline Text WithoutMarks(Text message) {
    std::erase_if(message, [](char c) { return c == kSystemRunBegin || c == kSystemRunEnd; });
    return message;
}

}  // namespace Wexo
