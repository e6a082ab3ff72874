#include "gdi_paint.h"

#include <string>

namespace tavrin::standins::winhost {

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
