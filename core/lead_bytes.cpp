#include "core/lead_bytes.h"

namespace Wexo {

LeadBytes::LeadBytes(const std::vector<ByteRange>& ranges) {
    for (const ByteRange& range : ranges) {
        for (unsigned byte = range.first; byte <= range.last; ++byte) lead_[byte] = true;
    }
}

LeadBytes LeadBytes::ShiftJis() { return LeadBytes({{0x81, 0x9F}, {0xE0, 0xFC}}); }

}  // namespace Wexo
