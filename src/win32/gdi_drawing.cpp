#include "win32/gdi_drawing.h"

#include <string>

#include "win32/base/gdi_scopes.h"
#include "win32/base/win32_handles.h"

namespace tavrin::win32 {
namespace {

TRIVERTEX Vertex(LONG x, LONG y, COLORREF color) {
  TRIVERTEX vertex{};
  vertex.x = x;
  vertex.y = y;
  vertex.Red = static_cast<COLOR16>(GetRValue(color) << 8);
  vertex.Green = static_cast<COLOR16>(GetGValue(color) << 8);
  vertex.Blue = static_cast<COLOR16>(GetBValue(color) << 8);
  return vertex;
}

void Gradient(HDC dc, const RECT& area, COLORREF from, COLORREF to,
              ULONG mode) {
  TRIVERTEX vertices[2] = {Vertex(area.left, area.top, from),
                           Vertex(area.right, area.bottom, to)};
  GRADIENT_RECT rect{0, 1};
  // The system's own, which msimg32's GradientFill only passes on to: one
  // library fewer to load at the start.
  GdiGradientFill(dc, vertices, 2, &rect, 1, mode);
}

HBRUSH DcBrush(HDC dc, COLORREF color) {
  SetDCBrushColor(dc, color);
  return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

HPEN DcPen(HDC dc, COLORREF color) {
  SetDCPenColor(dc, color);
  return static_cast<HPEN>(GetStockObject(DC_PEN));
}

}  // namespace

void FillSolid(HDC dc, const RECT& area, COLORREF color) {
  FillRect(dc, &area, DcBrush(dc, color));
}

void FrameSolid(HDC dc, const RECT& area, COLORREF color) {
  FrameRect(dc, &area, DcBrush(dc, color));
}

void FillVertical(HDC dc, const RECT& area, COLORREF top, COLORREF bottom) {
  Gradient(dc, area, top, bottom, GRADIENT_FILL_RECT_V);
}

void FillHorizontal(HDC dc, const RECT& area, COLORREF left, COLORREF right) {
  Gradient(dc, area, left, right, GRADIENT_FILL_RECT_H);
}

void FillRounded(HDC dc, const RECT& area, int radius, COLORREF top,
                 COLORREF bottom, COLORREF border) {
  const int diameter = radius * 2;
  {
    // RoundRect covers one pixel less than the rectangle on the far edges.
    const UniqueRegion shape(CreateRoundRectRgn(area.left, area.top,
                                                area.right + 1,
                                                area.bottom + 1, diameter,
                                                diameter));
    const SavedDcState state(dc);
    ExtSelectClipRgn(dc, shape.get(), RGN_AND);
    FillVertical(dc, area, top, bottom);
  }
  const Selection pen(dc, DcPen(dc, border));
  const Selection brush(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, area.left, area.top, area.right, area.bottom, diameter,
            diameter);
}

void FillEllipse(HDC dc, const RECT& area, COLORREF color) {
  const Selection pen(dc, DcPen(dc, color));
  const Selection brush(dc, DcBrush(dc, color));
  Ellipse(dc, area.left, area.top, area.right, area.bottom);
}

void FillPolygon(HDC dc, std::span<const POINT> points, COLORREF color) {
  const Selection pen(dc, DcPen(dc, color));
  const Selection brush(dc, DcBrush(dc, color));
  Polygon(dc, points.data(), static_cast<int>(points.size()));
}

void DrawPolyline(HDC dc, std::span<const POINT> points, int width,
                  COLORREF color) {
  LOGBRUSH brush{BS_SOLID, color, 0};
  const UniquePen pen(ExtCreatePen(
      PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
      static_cast<DWORD>(width), &brush, 0, nullptr));
  const Selection chosen(dc, pen.get());
  Polyline(dc, points.data(), static_cast<int>(points.size()));
}

void DrawLine(HDC dc, POINT from, POINT to, int width, COLORREF color) {
  const POINT points[] = {from, to};
  DrawPolyline(dc, points, width, color);
}

void DrawTextIn(HDC dc, std::wstring_view text, RECT area, COLORREF color,
                UINT format) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  // DrawTextW may write into the text with some formats: give it a copy.
  std::wstring copy(text);
  DrawTextW(dc, copy.data(), static_cast<int>(copy.size()), &area,
            format | DT_NOPREFIX);
}

void DrawShadowedText(HDC dc, std::wstring_view text, RECT area,
                      COLORREF color, COLORREF shadow, UINT format) {
  RECT shadowArea = area;
  OffsetRect(&shadowArea, 1, 1);
  DrawTextIn(dc, text, shadowArea, shadow, format);
  DrawTextIn(dc, text, area, color, format);
}

COLORREF Blend(COLORREF from, COLORREF to, int toPercent) {
  const auto mix = [toPercent](int a, int b) {
    return static_cast<BYTE>(a + (b - a) * toPercent / 100);
  };
  return RGB(mix(GetRValue(from), GetRValue(to)),
             mix(GetGValue(from), GetGValue(to)),
             mix(GetBValue(from), GetBValue(to)));
}

RECT Inflated(RECT area, int dx, int dy) {
  InflateRect(&area, dx, dy);
  return area;
}

}  // namespace tavrin::win32
