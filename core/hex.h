// Numbers as users look them up: upper-case hexadecimal with a fixed number of digits.
#pragma once

#include <cstdint>

#include "core/text.h"

namespace Wexo {

inline Text Hex(std::uint64_t value, int digits) {
    Text text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0 && value != 0; --i, value >>= 4) {
        text[static_cast<std::size_t>(i)] = "0123456789ABCDEF"[value & 0xF];
    }
    return text;
}

}  // namespace Wexo
