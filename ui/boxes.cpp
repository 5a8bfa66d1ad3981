#include "ui/boxes.h"

#include "platform/screen_text.h"

namespace Wexo::Ui {

namespace {

int Box(HWND owner, const Text& message, const Text& caption, UINT type) {
    return MessageBoxW(owner, FromMessage(message).c_str(), FromMessage(caption).c_str(), type);
}

}  // namespace

void ShowMessage(HWND owner, const Text& message, const Text& caption) { Box(owner, message, caption, MB_OK); }

bool AskOkCancel(HWND owner, const Text& question, const Text& caption) {
    return Box(owner, question, caption, MB_OKCANCEL) == IDOK;
}

void ShowStop(HWND owner, const Text& message, const Text& caption) {
    Box(owner, message, caption, MB_OK | MB_ICONSTOP);
}

}  // namespace Wexo::Ui
