#pragma once

#include <windows.h>

#include "win32/base/win32_handles.h"

namespace tavrin::win32::chat {

// The user's message font at a window's resolution.
UniqueFont MessageFont(int dpi);
// The height of a line of text in `font`, in pixels.
int LineHeight(HWND window, HFONT font);

}  // namespace tavrin::win32::chat
