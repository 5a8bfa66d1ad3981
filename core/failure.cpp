#include "core/failure.h"

#include "core/hex.h"

namespace Wexo {

namespace {

// Win32 error codes also appear as HRESULTs (126 as 0x8007007E); users search for either.
Text ErrorNumbers(std::uint32_t code) {
    Text numbers = "エラー " + std::to_string(code);
    if (code != 0 && code <= 0xFFFF) numbers += " / 0x" + Hex(0x80070000u | code, 8);
    return numbers;
}

Text WithFileName(Text text, const Text& fileName) {
    for (std::size_t at = text.find("%1"); at != Text::npos; at = text.find("%1", at + fileName.size())) {
        text.replace(at, 2, fileName);
    }
    return text;
}

// "the system's words (numbers)", or the numbers alone when the system has no words for the code.
Text Explained(const Text& systemText, const Text& numbers, const Text& fileName) {
    if (systemText.empty()) return numbers;
    return SystemRun(WithFileName(systemText, fileName)) + " (" + numbers + ")";
}

Text NeedsAdministrator(std::uint32_t status) {
    if (status != ErrorCode::kAccessDenied && status != ErrorCode::kTypeLibRegistry) return {};
    return "\n管理者として実行してください (右クリックして「管理者として実行」)。";
}

}  // namespace

Text ProgramNameFor(Bitness bitness) { return bitness == Bitness::Bits64 ? "wexo2.exe" : "wexo2_x86.exe"; }

Text DescribeFailure(const Failure& failure, const Text& fileName) {
    switch (failure.kind) {
        case Failure::Kind::None:
            break;
        case Failure::Kind::NotLoaded:
            return "読み込めません: " + Explained(failure.systemText, ErrorNumbers(failure.code), fileName);
        case Failure::Kind::MissingDependency:
            return "読み込みに必要な " + SystemRun(failure.name) + " が見つかりません。\n" + SystemRun(failure.name) +
                   " をこのファイルと同じフォルダーに置くか、それを含むランタイムをインストールしてください。";
        case Failure::Kind::MissingExport:
            return "このファイルには " + failure.name + " がありません。自己登録できる COM サーバーではありません。";
        case Failure::Kind::ExportFailed:
            return failure.name +
                   " がエラーを返しました: " + Explained(failure.systemText, "0x" + Hex(failure.code, 8), fileName) +
                   NeedsAdministrator(failure.code);
        case Failure::Kind::OtherBitness:
            return Text("このファイルは ") + (failure.bitness == Bitness::Bits64 ? "64" : "32") +
                   " ビット用です。扱えるのは " + failure.name + " です。";
        case Failure::Kind::OtherMachine:
            return "このファイルは別の種類の CPU (マシン 0x" + Hex(failure.code, 4) + ") 用です。";
        case Failure::Kind::FileOperation:
            return Explained(failure.systemText, ErrorNumbers(failure.code), fileName);
    }
    return {};
}

Text WithReason(const Text& firstLine, const Failure& failure, const Text& fileName) {
    const Text reason = DescribeFailure(failure, fileName);
    return reason.empty() ? firstLine : firstLine + "\n" + reason;
}

}  // namespace Wexo
