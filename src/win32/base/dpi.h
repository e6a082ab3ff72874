#pragma once

#include <windows.h>

namespace tavrin::win32 {

inline constexpr int kStandardDpi = 96;

enum class Axis { kHorizontal, kVertical };

// The screen's dots per inch, as the screen device context reports them.
int ScreenDpi(Axis axis = Axis::kHorizontal);
// The window's dots per inch: GetDpiForWindow where the system has it
// (Windows 10 1607 and later), the screen's otherwise.
int WindowDpi(HWND window);
// A length designed at 96 dots per inch, for the given resolution.
int Scaled(int length, int dpi);

}  // namespace tavrin::win32
