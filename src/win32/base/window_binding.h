#pragma once

#include <windows.h>

#include "win32/base/win32_handles.h"

// Binds a C++ object to the window it owns: the object comes in as the
// creation parameter, is kept in GWLP_USERDATA from WM_NCCREATE on and is
// let go at WM_NCDESTROY. No exception leaves the window procedure.
namespace tavrin::win32 {

// The owner provides
//   LRESULT HandleMessage(HWND, UINT, WPARAM, LPARAM);
// (private, with BoundWindowProc<Owner> as a friend) and passes `this` as
// the last argument of CreateWindowExW.
template <typename Owner>
LRESULT CALLBACK BoundWindowProc(HWND window, UINT message, WPARAM wParam,
                                 LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* owner =
      reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  if (owner != nullptr) {
    try {
      return owner->HandleMessage(window, message, wParam, lParam);
    } catch (...) {
      // Unwinding into the system's dispatch is undefined; the message gets
      // the default handling instead.
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Registers a plain window class once per process; false if that failed.
bool RegisterWindowClass(const wchar_t* className, WNDPROC procedure);

// A message-only window of its own class, whose procedure gets `owner` as
// its creation parameter; throws std::runtime_error when it cannot be made.
UniqueWindow CreateMessageOnlyWindow(const wchar_t* className,
                                     WNDPROC procedure, void* owner);

// The owner's message-only window, bound to it as above.
template <typename Owner>
UniqueWindow CreateBoundMessageWindow(const wchar_t* className, Owner* owner) {
  return CreateMessageOnlyWindow(className, &BoundWindowProc<Owner>, owner);
}

}  // namespace tavrin::win32
