// The lead bytes of the system's ANSI code page: a lead byte and the byte after it form one
// double-byte character. Read once at start-up; a code page without lead bytes has none.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace Wexo {

struct ByteRange {
    std::uint8_t first;
    std::uint8_t last;
};

class LeadBytes {
public:
    LeadBytes() = default;  // no lead bytes: every byte is a character of its own
    explicit LeadBytes(const std::vector<ByteRange>& ranges);

    // Code page 932 (Shift_JIS): 0x81-0x9F and 0xE0-0xFC.
    static LeadBytes ShiftJis();

    bool IsLead(unsigned char byte) const { return lead_[byte]; }

private:
    std::array<bool, 256> lead_{};
};

}  // namespace Wexo
