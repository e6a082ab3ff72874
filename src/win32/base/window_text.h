#pragma once

#include <windows.h>

#include <string>

namespace tavrin::win32 {

// A window's text (a caption, or an edit box's contents) as it holds it;
// empty when it has none or the window is gone.
std::wstring WideWindowText(HWND window);

}  // namespace tavrin::win32
