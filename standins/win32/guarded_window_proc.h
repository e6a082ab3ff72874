#pragma once

#include <windows.h>

// A window procedure for the classes that need no object of their own: no
// exception leaves it (Windows cannot unwind through its own frames).
namespace tavrin::standins::winhost {

using Handler = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

template <Handler Handle>
LRESULT CALLBACK GuardedWindowProc(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) noexcept {
  try {
    return Handle(window, message, wParam, lParam);
  } catch (...) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace tavrin::standins::winhost
