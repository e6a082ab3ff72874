#pragma once

#include <windows.h>

// Small symbols drawn inside a box, centred and scaled to it.
namespace tavrin::win32 {

enum class Glyph {
  kMusicNotes,
  kClose,
  kMinimise,
  kPrevious,
  kStop,
  kNext,
  kPlay,
  kPause,
  kTick,
};

// The glyph fills the largest centred square of `box`, less a margin.
void DrawGlyph(HDC dc, Glyph glyph, const RECT& box, COLORREF color);

}  // namespace tavrin::win32
