#include "win32/skin_pieces.h"

#include <algorithm>

#include "win32/base/dpi.h"
#include "win32/gdi_drawing.h"
#include "win32/base/gdi_scopes.h"
#include "win32/skin_fonts.h"
#include "win32/skin_palette.h"

namespace tavrin::win32 {
namespace {

namespace colors = palette;

struct Shades {
  COLORREF top;
  COLORREF bottom;
};

Shades ButtonShades(Look look) {
  switch (look) {
    case Look::kHover: return {colors::kFaceHoverTop, colors::kFaceHoverBottom};
    case Look::kPressed:
      return {colors::kFacePressedTop, colors::kFacePressedBottom};
    case Look::kNormal: break;
  }
  return {colors::kFaceTop, colors::kFaceBottom};
}

Shades TileShades(Look look, bool danger) {
  if (look == Look::kNormal) return {colors::kTitleTop, colors::kTitleBottom};
  if (danger) return {colors::kCloseHoverTop, colors::kCloseHoverBottom};
  if (look == Look::kPressed) {
    return {colors::kTitleBottom, colors::kTitleTop};
  }
  return {colors::kTitleHoverTop, colors::kTitleHoverBottom};
}

void DrawHorizontalLine(HDC dc, int left, int right, int y, COLORREF color) {
  FillSolid(dc, {left, y, right, y + 1}, color);
}

void DrawSegment(HDC dc, const StripSegment& segment, bool pauseFace) {
  const COLORREF ink = pauseFace ? colors::kLcdPause : colors::kLcdPlay;
  if (segment.look != Look::kNormal) {
    const COLORREF glow =
        pauseFace ? colors::kLcdPauseHover : colors::kLcdHover;
    FillSolid(dc, Inflated(segment.area, 0, -2), glow);
  }
  RECT symbol = Inflated(segment.area, -1, -7);
  if (segment.look == Look::kPressed) OffsetRect(&symbol, 1, 1);
  DrawGlyph(dc, segment.glyph, symbol, ink);
}

}  // namespace

void DrawTitleBand(HDC dc, const RECT& band) {
  FillVertical(dc, band, colors::kTitleTop, colors::kTitleBottom);
}

void DrawTitleTileEdge(HDC dc, const RECT& tile) {
  FrameSolid(dc, tile, colors::kTitleEdge);
  DrawHorizontalLine(dc, tile.left + 1, tile.right - 1, tile.top + 1,
                     colors::kTitleShine);
}

void DrawBodyEdge(HDC dc, const RECT& body) {
  FrameSolid(dc, body, colors::kFrameDark);
  DrawHorizontalLine(dc, body.left + 1, body.right - 1, body.top + 1,
                     colors::kFrameLight);
  FillSolid(dc, {body.left + 1, body.top + 1, body.left + 2, body.bottom - 1},
            Blend(colors::kFrameLight, colors::kBodyBottom, 50));
}

void DrawTitleStrip(HDC dc, const RECT& strip, std::wstring_view caption,
                    bool withNotes, int dpi) {
  const int height = strip.bottom - strip.top;
  RECT text = Inflated(strip, -Scaled(6, dpi), 0);
  if (withNotes) {
    const int side = height - Scaled(8, dpi);
    const RECT notes{text.left, strip.top + (height - side) / 2,
                     text.left + side, strip.top + (height - side) / 2 + side};
    DrawGlyph(dc, Glyph::kMusicNotes, notes, colors::kTitleText);
    text.left = notes.right + Scaled(6, dpi);
  }
  const UniqueFont font = MakeFont({FontFamily::kInterface, 12, true}, dpi);
  const Selection chosen(dc, font.get());
  DrawShadowedText(dc, caption, text, colors::kTitleText, colors::kTitleShadow,
                   DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void DrawGlyphTile(HDC dc, const RECT& tile, Glyph glyph, Look look,
                   bool danger) {
  const Shades shades = TileShades(look, danger);
  FillVertical(dc, Inflated(tile, -1, -1), shades.top, shades.bottom);
  DrawTitleTileEdge(dc, tile);
  RECT symbol = Inflated(tile, -3, -3);
  if (look == Look::kPressed) OffsetRect(&symbol, 1, 1);
  DrawGlyph(dc, glyph, symbol, colors::kTitleText);
}

void DrawFaceButton(HDC dc, const RECT& face, std::wstring_view label,
                    Look look, int dpi) {
  const Shades shades = ButtonShades(look);
  const int radius = Scaled(4, dpi);
  FillRounded(dc, face, radius, shades.top, shades.bottom, colors::kFaceBorder);
  if (look != Look::kPressed) {
    DrawHorizontalLine(dc, face.left + radius, face.right - radius,
                       face.top + 1, colors::kFaceShine);
  }
  RECT text = face;
  if (look == Look::kPressed) OffsetRect(&text, 1, 1);
  const UniqueFont font = MakeFont({FontFamily::kInterface, 12, true}, dpi);
  const Selection chosen(dc, font.get());
  DrawShadowedText(dc, label, text, colors::kFaceText, colors::kFaceTextShadow,
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

void DrawCheckBox(HDC dc, const RECT& box, int value, Look look) {
  FillSolid(dc, box, colors::kCheckFill);
  FrameSolid(dc, box,
             look == Look::kNormal ? colors::kCheckBorder : colors::kAccent);
  if (value == 1) {
    DrawGlyph(dc, Glyph::kTick, Inflated(box, -1, -1), colors::kCheckTick);
  } else if (value == 2) {
    FillSolid(dc, Inflated(box, -3, -3), colors::kCheckGrey);
  }
}

void DrawTextBlock(HDC dc, const RECT& area, std::wstring_view text,
                   const FontStyle& style, int dpi) {
  const int margin = Scaled(4, dpi);
  FillRounded(dc, Inflated(area, margin, margin), Scaled(3, dpi),
              Blend(colors::kBodyBottom, colors::kFrameDark, 40),
              Blend(colors::kBodyBottom, colors::kBodyTop, 30),
              colors::kFrameDark);
  const UniqueFont font = MakeFont(style, dpi);
  const Selection chosen(dc, font.get());
  DrawTextIn(dc, text, area, colors::kTextLight,
             DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EDITCONTROL);
}

void DrawLabel(HDC dc, const RECT& area, std::wstring_view text,
               bool alignRight, int dpi) {
  const UniqueFont font = MakeFont(kLabelFont, dpi);
  const Selection chosen(dc, font.get());
  DrawTextIn(dc, text, area, colors::kTextLight,
             (alignRight ? DT_RIGHT : DT_LEFT) | DT_VCENTER | DT_SINGLELINE |
                 DT_NOPREFIX | DT_END_ELLIPSIS);
}

void DrawFieldFrame(HDC dc, const RECT& field) {
  FrameSolid(dc, Inflated(field, 1, 1), colors::kFrameDark);
  const RECT outer = Inflated(field, 2, 2);
  DrawHorizontalLine(dc, outer.left, outer.right, outer.top,
                     Blend(colors::kFrameDark, colors::kBodyTop, 50));
  DrawHorizontalLine(dc, outer.left, outer.right, outer.bottom - 1,
                     colors::kFrameLight);
}

void DrawTransportStrip(HDC dc, const RECT& strip,
                        std::span<const StripSegment> segments,
                        bool pauseFace) {
  const COLORREF top = pauseFace ? colors::kLcdPauseTop : colors::kLcdTop;
  const COLORREF bottom =
      pauseFace ? colors::kLcdPauseBottom : colors::kLcdBottom;
  FillRounded(dc, strip, 3, top, bottom, colors::kLcdEdge);
  const SavedDcState state(dc);
  IntersectClipRect(dc, strip.left + 1, strip.top + 1, strip.right - 1,
                    strip.bottom - 1);
  const COLORREF divider =
      pauseFace ? colors::kLcdPauseDivider : colors::kLcdDivider;
  for (const StripSegment& segment : segments) {
    DrawSegment(dc, segment, pauseFace);
    if (segment.area.left > strip.left + 1) {
      FillSolid(dc, {segment.area.left, strip.top + 4, segment.area.left + 1,
                     strip.bottom - 4}, divider);
    }
  }
}

void DrawFocusMark(HDC dc, const RECT& place, int inset, int dpi) {
  const int thickness = Scaled(1, dpi);
  RECT frame = Inflated(place, -inset, -inset);
  for (int i = 0; i < thickness; ++i) {
    FrameSolid(dc, frame, palette::kFocusMark);
    frame = Inflated(frame, -1, -1);
  }
}

}  // namespace tavrin::win32
