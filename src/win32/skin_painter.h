#pragma once

#include <windows.h>

#include "win32/skin_view.h"

namespace tavrin::win32 {

// Draws the whole form: the skin's background, then every control in
// design order.
void PaintSkin(HDC dc, const SkinView& view);

}  // namespace tavrin::win32
