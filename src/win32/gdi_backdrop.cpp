#include "win32/gdi_backdrop.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "win32/gdi_drawing.h"
#include "win32/base/gdi_scopes.h"
#include "win32/base/win32_handles.h"

namespace tavrin::win32 {
namespace {

struct Pixels {
  UniqueBitmap bitmap;
  std::uint32_t* bits = nullptr;
};

// A top-down 32-bit picture whose pixels can be written directly.
Pixels MakePixels(HDC dc, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  Pixels pixels{UniqueBitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits,
                                              nullptr, 0)),
                nullptr};
  if (pixels.bitmap) pixels.bits = static_cast<std::uint32_t*>(bits);
  return pixels;
}

double GlowAt(const Glow& glow, int x, int y) {
  if (glow.radius <= 0) return 0.0;
  const double distance = std::hypot(x - glow.centre.x, y - glow.centre.y);
  const double fade = std::max(0.0, 1.0 - distance / glow.radius);
  // Smoothstep: no visible edge where the glow ends.
  return fade * fade * (3.0 - 2.0 * fade) * glow.strengthPercent;
}

std::uint32_t Packed(COLORREF color) {
  return static_cast<std::uint32_t>(GetRValue(color)) << 16 |
         static_cast<std::uint32_t>(GetGValue(color)) << 8 | GetBValue(color);
}

void Compute(const Pixels& pixels, const RECT& area, COLORREF top,
             COLORREF bottom, const Glow& glow) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  for (int y = 0; y < height; ++y) {
    const COLORREF row = Blend(top, bottom, height > 1 ? 100 * y / (height - 1) : 0);
    for (int x = 0; x < width; ++x) {
      const int lit = static_cast<int>(
          std::lround(GlowAt(glow, area.left + x, area.top + y)));
      pixels.bits[y * width + x] = Packed(Blend(row, glow.color, lit));
    }
  }
}

}  // namespace

void FillBackdrop(HDC dc, const RECT& area, COLORREF top, COLORREF bottom,
                  const Glow& glow) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  const Pixels pixels = MakePixels(dc, width, height);
  const UniqueMemoryDc memory(CreateCompatibleDC(dc));
  if (pixels.bits == nullptr || !memory) {
    return FillVertical(dc, area, top, bottom);
  }
  GdiFlush();  // the section's memory is written directly
  Compute(pixels, area, top, bottom, glow);
  const Selection chosen(memory.get(), pixels.bitmap.get());
  BitBlt(dc, area.left, area.top, width, height, memory.get(), 0, 0, SRCCOPY);
}

}  // namespace tavrin::win32
