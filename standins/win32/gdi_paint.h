#pragma once

#include <windows.h>

#include <string_view>

#include "win32/win32_handles.h"

// Small GDI owners and drawing helpers for the stand-ins' faces.
namespace tavrin::standins::winhost {

using UniqueMemoryDc = tavrin::win32::UniqueHandle<HDC, &::DeleteDC>;

// BeginPaint .. EndPaint.
class PaintScope {
 public:
  explicit PaintScope(HWND window);
  ~PaintScope();
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC Dc() const { return paint_.hdc; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
};

// Selects an object into a device context until the end of the scope.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, old_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// An off-screen copy of an area, put on the target at the end of the scope:
// a face repainted ten times a second does not flicker.
class BufferedCanvas {
 public:
  BufferedCanvas(HDC target, const RECT& area);
  ~BufferedCanvas();
  BufferedCanvas(const BufferedCanvas&) = delete;
  BufferedCanvas& operator=(const BufferedCanvas&) = delete;
  HDC Dc() const { return memory_.get(); }

 private:
  HDC target_;
  RECT area_;
  UniqueMemoryDc memory_;
  tavrin::win32::UniqueGdiObject bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
};

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
