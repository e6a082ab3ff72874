#pragma once

#include <windows.h>

#include <span>
#include <string_view>

#include "win32/skin_fonts.h"
#include "win32/skin_glyphs.h"

// The pieces the skins are built of. Rectangles are in window pixels.
namespace tavrin::win32 {

enum class Look { kNormal, kHover, kPressed };

// The title band's background across `band`.
void DrawTitleBand(HDC dc, const RECT& band);
// The edge of one piece of the outline: a title tile or the body.
void DrawTitleTileEdge(HDC dc, const RECT& tile);
void DrawBodyEdge(HDC dc, const RECT& body);

void DrawTitleStrip(HDC dc, const RECT& strip, std::wstring_view caption,
                    bool withNotes, int dpi);
void DrawGlyphTile(HDC dc, const RECT& tile, Glyph glyph, Look look,
                   bool danger);
void DrawFaceButton(HDC dc, const RECT& face, std::wstring_view label,
                    Look look, int dpi);
void DrawCheckBox(HDC dc, const RECT& box, int value, Look look);
// Word-wrapped text on a sunken panel around the area.
void DrawTextBlock(HDC dc, const RECT& area, std::wstring_view text,
                   const FontStyle& font, int dpi);
// One line of the skin's own lettering, vertically centred in the area.
void DrawLabel(HDC dc, const RECT& area, std::wstring_view text,
               bool alignRight, int dpi);
// The keyboard's mark on a control: an amber frame `inset` pixels inside
// its place (outside it when negative), as thick as the scale makes a pixel.
void DrawFocusMark(HDC dc, const RECT& place, int inset, int dpi);
// The sunken edge around a system control's field; the control paints the
// field itself.
void DrawFieldFrame(HDC dc, const RECT& field);

// The share of the transport strip under one of its buttons.
struct StripSegment {
  RECT area;
  Glyph glyph;
  Look look;
};
void DrawTransportStrip(HDC dc, const RECT& strip,
                        std::span<const StripSegment> segments,
                        bool pauseFace);

}  // namespace tavrin::win32
