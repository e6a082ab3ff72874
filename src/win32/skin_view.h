#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "platform/forms.h"
#include "shell/form_layout.h"

namespace tavrin::win32 {

// Everything a skin needs to draw one frame of a form.
struct SkinView {
  const shell::FormModel& model;
  std::wstring caption;
  // The window's outline as the program set it; empty when it has none.
  std::span<const platform::PixelRect> shape;
  RECT client{};
  std::optional<std::size_t> hovered;
  // Set while the mouse button is held on a control and the pointer is
  // still over it.
  std::optional<std::size_t> pressed;
  // The control the keyboard is on, while the window is active and the
  // user has used the keyboard in it; a system control marks itself.
  std::optional<std::size_t> focused;
};

}  // namespace tavrin::win32
