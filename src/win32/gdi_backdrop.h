#pragma once

#include <windows.h>

namespace tavrin::win32 {

// A soft round light that fades out towards its radius.
struct Glow {
  POINT centre{};
  int radius = 0;
  COLORREF color = 0;
  int strengthPercent = 0;  // how much of the glow's colour at its centre
};

// A vertical gradient with a glow on it, computed pixel by pixel: GDI's own
// shapes would show steps at the glow's rings.
void FillBackdrop(HDC dc, const RECT& area, COLORREF top, COLORREF bottom,
                  const Glow& glow);

}  // namespace tavrin::win32
