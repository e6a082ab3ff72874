#pragma once

#include <windows.h>

#include <string_view>

#include "win32/base/gdi_scopes.h"
#include "win32/base/win32_handles.h"

// Drawing helpers for the stand-ins' faces, over the program's own scoped
// device-context uses.
namespace tavrin::standins::winhost {

using tavrin::win32::BufferedCanvas;
using tavrin::win32::PaintScope;
using tavrin::win32::Selection;

tavrin::win32::UniqueGdiObject MakeFont(int pixelHeight, bool bold,
                                        const wchar_t* face = L"Tahoma");

void Fill(HDC dc, const RECT& area, COLORREF color);
void Outline(HDC dc, const RECT& area, COLORREF color);
void DrawTextIn(HDC dc, std::wstring_view text, RECT area, COLORREF color,
                UINT format);
int TextWidth(HDC dc, std::wstring_view text);
int LineHeight(HDC dc);

// Paints a window through a buffer; draw(dc, clientRect).
template <typename Draw>
void PaintBuffered(HWND window, Draw draw) {
  PaintScope paint(window);
  RECT client{};
  GetClientRect(window, &client);
  BufferedCanvas canvas(paint.Dc(), client);
  SetBkMode(canvas.Dc(), TRANSPARENT);
  draw(canvas.Dc(), client);
}

}  // namespace tavrin::standins::winhost
