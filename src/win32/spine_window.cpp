#include "win32/spine_window.h"

#include <stdexcept>

namespace tavrin::win32 {

SpineWindow::SpineWindow(const wchar_t* caption) {
  if (!RegisterWindowClass(kClassName, &BoundWindowProc<SpineWindow>)) {
    throw std::runtime_error("spine window class not registered");
  }
  window_.reset(CreateWindowExW(0, kClassName, caption, WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, nullptr, nullptr,
                                GetModuleHandleW(nullptr), this));
  if (!window_) throw std::runtime_error("spine window not created");
}

// Destroyed here, while the object can still take the last messages.
SpineWindow::~SpineWindow() { window_.reset(); }

LRESULT SpineWindow::HandleMessage(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) {
  if (message == WM_CLOSE) {
    // The window itself goes with its owner, after the loop.
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tavrin::win32
