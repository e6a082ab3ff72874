#pragma once

#include <windows.h>

#include <span>
#include <string_view>

// Drawing primitives for the skins. Each leaves the device context's
// selections as it found them.
namespace tavrin::win32 {

void FillSolid(HDC dc, const RECT& area, COLORREF color);
void FrameSolid(HDC dc, const RECT& area, COLORREF color);
void FillVertical(HDC dc, const RECT& area, COLORREF top, COLORREF bottom);
void FillHorizontal(HDC dc, const RECT& area, COLORREF left, COLORREF right);
// A vertical gradient inside a rounded rectangle, with a one-pixel border.
void FillRounded(HDC dc, const RECT& area, int radius, COLORREF top,
                 COLORREF bottom, COLORREF border);
void FillEllipse(HDC dc, const RECT& area, COLORREF color);
void FillPolygon(HDC dc, std::span<const POINT> points, COLORREF color);
void DrawLine(HDC dc, POINT from, POINT to, int width, COLORREF color);
void DrawPolyline(HDC dc, std::span<const POINT> points, int width,
                  COLORREF color);

// Text in the selected font; the background is left as it is.
void DrawTextIn(HDC dc, std::wstring_view text, RECT area, COLORREF color,
                UINT format);
// The same with a one-pixel shadow below and to the right.
void DrawShadowedText(HDC dc, std::wstring_view text, RECT area,
                      COLORREF color, COLORREF shadow, UINT format);

COLORREF Blend(COLORREF from, COLORREF to, int toPercent);
RECT Inflated(RECT area, int dx, int dy);

}  // namespace tavrin::win32
