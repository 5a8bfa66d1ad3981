#include "platform/screen_text.h"

#include "platform/system_path.h"

namespace Wexo {

std::wstring FromOwnText(const Text& text) { return FromCodePage(text, kOwnCodePage); }

std::wstring FromMessage(const Text& message) {
    std::wstring wide;
    bool system = false;
    std::size_t start = 0;
    for (std::size_t at = 0; at <= message.size(); ++at) {
        const bool end = at == message.size();
        if (!end && message[at] != kSystemRunBegin && message[at] != kSystemRunEnd) continue;
        const Text run = message.substr(start, at - start);
        wide += system ? FromAnsi(run) : FromOwnText(run);
        if (!end) system = message[at] == kSystemRunBegin;
        start = at + 1;
    }
    return wide;
}

}  // namespace Wexo
