// Dots per inch: the form is laid out at 96 and scaled to the window's monitor. The calls that know a window's or
// monitor's DPI are loaded at run time, because Windows 7 lacks them.
#pragma once

#include <windows.h>

namespace Wexo::Ui {

inline constexpr unsigned kDesignDpi = 96;

inline int Scale(int value, unsigned dpi) { return MulDiv(value, static_cast<int>(dpi), kDesignDpi); }

// The system's DPI, which a new window starts with.
unsigned SystemDpi();
// The DPI of the monitor the window is on, as far as the system lets the program know it.
unsigned WindowDpi(HWND window);
// The window rectangle around a client rectangle, with the frame at `dpi`.
RECT FrameAround(const RECT& client, DWORD style, DWORD exStyle, unsigned dpi);

}  // namespace Wexo::Ui
