#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "win32/base/window_text.h"

namespace tavrin::standins::winhost {

struct Placement {
  int x;
  int y;
  int width;
  int height;
};

// A child window of a class of this program; `binding` reaches its
// procedure at WM_NCCREATE.
HWND CreateChild(const wchar_t* className, std::wstring_view text, DWORD style,
                 const Placement& place, HWND parent, void* binding = nullptr);

using win32::WideWindowText;

}  // namespace tavrin::standins::winhost
