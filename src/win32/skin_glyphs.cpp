#include "win32/skin_glyphs.h"

#include <algorithm>
#include <cmath>

#include "win32/gdi_drawing.h"

namespace tavrin::win32 {
namespace {

// Glyphs are designed on a 12 by 12 grid and mapped onto the box.
constexpr double kGrid = 12.0;

struct GlyphFrame {
  double left;
  double top;
  double unit;

  POINT At(double x, double y) const {
    return {static_cast<LONG>(std::lround(left + x * unit)),
            static_cast<LONG>(std::lround(top + y * unit))};
  }
  RECT Box(double x0, double y0, double x1, double y1) const {
    const POINT a = At(x0, y0);
    const POINT b = At(x1, y1);
    return {a.x, a.y, b.x, b.y};
  }
  int Width(double units) const {
    return std::max(1, static_cast<int>(std::lround(units * unit)));
  }
};

GlyphFrame FrameFor(const RECT& box) {
  const double side =
      std::min(box.right - box.left, box.bottom - box.top);
  return {box.left + ((box.right - box.left) - side) / 2.0,
          box.top + ((box.bottom - box.top) - side) / 2.0, side / kGrid};
}

void MusicNotes(HDC dc, const GlyphFrame& f, COLORREF color) {
  FillEllipse(dc, f.Box(0.5, 8.0, 5.0, 11.5), color);
  FillEllipse(dc, f.Box(7.0, 6.5, 11.5, 10.0), color);
  FillSolid(dc, f.Box(3.8, 2.2, 5.0, 10.0), color);
  FillSolid(dc, f.Box(10.3, 0.7, 11.5, 8.5), color);
  const POINT beam[] = {f.At(3.8, 2.2), f.At(11.5, 0.5), f.At(11.5, 2.6),
                        f.At(3.8, 4.3)};
  FillPolygon(dc, beam, color);
}

void Cross(HDC dc, const GlyphFrame& f, COLORREF color) {
  DrawLine(dc, f.At(3.2, 3.2), f.At(8.8, 8.8), f.Width(1.9), color);
  DrawLine(dc, f.At(8.8, 3.2), f.At(3.2, 8.8), f.Width(1.9), color);
}

void MinimiseBar(HDC dc, const GlyphFrame& f, COLORREF color) {
  FillSolid(dc, f.Box(2.8, 8.0, 9.2, 10.0), color);
}

void Triangle(HDC dc, const GlyphFrame& f, double tipX, double baseX,
              COLORREF color) {
  const POINT points[] = {f.At(baseX, 2.5), f.At(tipX, 6.0),
                          f.At(baseX, 9.5)};
  FillPolygon(dc, points, color);
}

void Previous(HDC dc, const GlyphFrame& f, COLORREF color) {
  FillSolid(dc, f.Box(2.0, 2.5, 3.6, 9.5), color);
  Triangle(dc, f, 3.8, 7.0, color);
  Triangle(dc, f, 6.8, 10.0, color);
}

void Next(HDC dc, const GlyphFrame& f, COLORREF color) {
  Triangle(dc, f, 5.2, 2.0, color);
  Triangle(dc, f, 8.2, 5.0, color);
  FillSolid(dc, f.Box(8.4, 2.5, 10.0, 9.5), color);
}

void Stop(HDC dc, const GlyphFrame& f, COLORREF color) {
  FillSolid(dc, f.Box(2.8, 2.8, 9.2, 9.2), color);
}

void Play(HDC dc, const GlyphFrame& f, COLORREF color) {
  const POINT points[] = {f.At(3.0, 2.0), f.At(10.0, 6.0), f.At(3.0, 10.0)};
  FillPolygon(dc, points, color);
}

void Pause(HDC dc, const GlyphFrame& f, COLORREF color) {
  FillSolid(dc, f.Box(2.8, 2.2, 5.2, 9.8), color);
  FillSolid(dc, f.Box(6.8, 2.2, 9.2, 9.8), color);
}

void Tick(HDC dc, const GlyphFrame& f, COLORREF color) {
  const POINT points[] = {f.At(2.2, 6.4), f.At(4.9, 9.0), f.At(9.8, 3.0)};
  DrawPolyline(dc, points, f.Width(1.9), color);
}

}  // namespace

void DrawGlyph(HDC dc, Glyph glyph, const RECT& box, COLORREF color) {
  const GlyphFrame f = FrameFor(box);
  switch (glyph) {
    case Glyph::kMusicNotes: return MusicNotes(dc, f, color);
    case Glyph::kClose: return Cross(dc, f, color);
    case Glyph::kMinimise: return MinimiseBar(dc, f, color);
    case Glyph::kPrevious: return Previous(dc, f, color);
    case Glyph::kStop: return Stop(dc, f, color);
    case Glyph::kNext: return Next(dc, f, color);
    case Glyph::kPlay: return Play(dc, f, color);
    case Glyph::kPause: return Pause(dc, f, color);
    case Glyph::kTick: return Tick(dc, f, color);
  }
}

}  // namespace tavrin::win32
