#include "core/server_fault.h"

#include "core/hex.h"

namespace Wexo {

namespace {

// The codes a faulty server raises most, by the names users know them by.
const char* NameOf(std::uint32_t code) {
    switch (code) {
        case 0xC0000005u:
            return "アクセス違反";
        case 0xC000001Du:
            return "不正な命令";
        case 0xC0000096u:
            return "特権命令";
        case 0xC0000094u:
            return "整数の 0 除算";
        case 0xC0000095u:
            return "整数のオーバーフロー";
        case 0xC000008Eu:
            return "浮動小数点の 0 除算";
        case 0xC00000FDu:
            return "スタック オーバーフロー";
        case 0xC0000006u:
            return "ページ内エラー";
        case 0x80000003u:
            return "ブレークポイント";
        case 0xE06D7363u:
            return "C++ 例外";
    }
    return nullptr;
}

}  // namespace

Text FaultMessage(const ServerFault& fault) {
    Text message = "サーバーの中で例外 0x" + Hex(fault.code, 8);
    if (const char* name = NameOf(fault.code)) message += Text(" (") + name + ")";
    message += " が発生しました。アドレス 0x" + Hex(fault.address, fault.address > 0xFFFFFFFFu ? 16 : 8);
    message += fault.module.empty() ? Text("、モジュール不明") : "、モジュール " + SystemRun(fault.module);
    return message;
}

}  // namespace Wexo
