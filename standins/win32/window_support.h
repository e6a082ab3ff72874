#pragma once

#include <windows.h>

#include <string>
#include <string_view>

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

std::wstring WindowText(HWND window);

}  // namespace tavrin::standins::winhost
