// The program's modal boxes. Messages are Shift_JIS with runs in the ANSI code page (paths, the system's words),
// shown in UTF-16.
#pragma once

#include <windows.h>

#include "core/text.h"

namespace Wexo::Ui {

// A message with one OK button and no icon.
void ShowMessage(HWND owner, const Text& message, const Text& caption);
// An OK/Cancel question; true only for OK.
bool AskOkCancel(HWND owner, const Text& question, const Text& caption);
// A notice with the stop icon and one OK button.
void ShowStop(HWND owner, const Text& message, const Text& caption);

}  // namespace Wexo::Ui
