#include "ui/boxes.h"

namespace Wexo::Ui {

void ShowMessage(HWND owner, const Text& message, const Text& caption) {
    MessageBoxA(owner, message.c_str(), caption.c_str(), MB_OK);
}

bool AskOkCancel(HWND owner, const Text& question, const Text& caption) {
    return MessageBoxA(owner, question.c_str(), caption.c_str(), MB_OKCANCEL) == IDOK;
}

void ShowStop(HWND owner, const Text& message, const Text& caption) {
    MessageBoxA(owner, message.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP);
}

}  // namespace Wexo::Ui
