#include "gdi_paint.h"

#include <string>

namespace tavrin::standins::winhost {

PaintScope::PaintScope(HWND window) : window_(window) {
  BeginPaint(window_, &paint_);
}

PaintScope::~PaintScope() { EndPaint(window_, &paint_); }

BufferedCanvas::BufferedCanvas(HDC target, const RECT& area)
    : target_(target),
      area_(area),
      memory_(CreateCompatibleDC(target)),
      bitmap_(CreateCompatibleBitmap(target, area.right - area.left,
                                     area.bottom - area.top)) {
  if (memory_ && bitmap_) {
    oldBitmap_ = SelectObject(memory_.get(), bitmap_.get());
    SetViewportOrgEx(memory_.get(), -area.left, -area.top, nullptr);
  }
}

BufferedCanvas::~BufferedCanvas() {
  if (!memory_ || !bitmap_) return;
  SetViewportOrgEx(memory_.get(), 0, 0, nullptr);
  BitBlt(target_, area_.left, area_.top, area_.right - area_.left,
         area_.bottom - area_.top, memory_.get(), 0, 0, SRCCOPY);
  SelectObject(memory_.get(), oldBitmap_);
}

tavrin::win32::UniqueGdiObject MakeFont(int pixelHeight, bool bold,
                                        const wchar_t* face) {
  return tavrin::win32::UniqueGdiObject(CreateFontW(
      -pixelHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
      ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, face));
}

void Fill(HDC dc, const RECT& area, COLORREF color) {
  SetDCBrushColor(dc, color);
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Outline(HDC dc, const RECT& area, COLORREF color) {
  SetDCBrushColor(dc, color);
  FrameRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void DrawTextIn(HDC dc, std::wstring_view text, RECT area, COLORREF color,
                UINT format) {
  SetTextColor(dc, color);
  const std::wstring copy(text);  // DrawTextW may write with DT_MODIFYSTRING
  DrawTextW(dc, copy.c_str(), static_cast<int>(copy.size()), &area,
            format | DT_NOPREFIX);
}

int TextWidth(HDC dc, std::wstring_view text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

int LineHeight(HDC dc) {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  return metrics.tmHeight + metrics.tmExternalLeading;
}

}  // namespace tavrin::standins::winhost
