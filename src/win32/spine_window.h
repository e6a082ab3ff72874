#pragma once

#include <windows.h>

#include "win32/win32_handles.h"
#include "win32/window_binding.h"

namespace tavrin::win32 {

// The program's hidden top-level window, class "TavrinSpine": it keeps the
// program findable, and closing it (WM_CLOSE, as a script or the system
// sends) ends the message loop.
class SpineWindow {
 public:
  static constexpr wchar_t kClassName[] = L"TavrinSpine";

  // Throws std::runtime_error when the window cannot be created.
  explicit SpineWindow(const wchar_t* caption);
  ~SpineWindow();
  SpineWindow(const SpineWindow&) = delete;
  SpineWindow& operator=(const SpineWindow&) = delete;

  HWND Handle() const { return window_.get(); }

 private:
  friend LRESULT CALLBACK BoundWindowProc<SpineWindow>(HWND, UINT, WPARAM,
                                                       LPARAM) noexcept;
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam);

  UniqueWindow window_;
};

}  // namespace tavrin::win32
