// The fixed texts of the registration run. The source is UTF-8; the compiler stores them as
// Shift_JIS (code page 932) bytes, which is what the "A" functions and the user's system expect.
#pragma once

namespace Wexo::Messages {

inline constexpr char kRegistered[] = "登録成功";
inline constexpr char kRegisterFailed[] = "登録失敗";
inline constexpr char kUnregistered[] = "解除成功";
inline constexpr char kUnregisterFailed[] = "解除失敗";
inline constexpr char kDeleteFailed[] = "削除に失敗しました";
inline constexpr char kCopyFailed[] = "コピーに失敗しました";
// Follow the destination path directly, without a blank.
inline constexpr char kAskCopy[] = "はすでに存在します。\nコピーしますか？";
inline constexpr char kAskMove[] = "はすでに存在します。\n移動しますか？";
inline constexpr char kQuestionCaption[] = "Wexo";
// Follow the name of the program built for the target's bitness.
inline constexpr char kAskHandOver[] = " に渡して開きますか？";
inline constexpr char kStartFailed[] = " を起動できませんでした";

}  // namespace Wexo::Messages
