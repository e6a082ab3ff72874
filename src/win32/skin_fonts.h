#pragma once

#include <windows.h>

#include <string_view>

#include "win32/base/win32_handles.h"

// Fonts for the skins, sized for the window's resolution.
namespace tavrin::win32 {

enum class FontFamily {
  kInterface,  // the skins' own lettering
  kGothic,     // "MS Gothic", as the message text is designed
  kLabel,      // "MS Sans Serif", as the forms' labels are designed
};

struct FontStyle {
  FontFamily family = FontFamily::kInterface;
  int pixelHeight = 12;  // character height at 96 dots per inch
  bool bold = false;
};

// The forms' labels and the system controls among them, as designed:
// "MS Sans Serif" at 9.75 points, 13 pixels at 96 dots per inch.
inline constexpr FontStyle kLabelFont{FontFamily::kLabel, 13, false};

// The family's first installed face, or its first face (left to the font
// mapper) when none is installed.
std::wstring_view FaceFor(FontFamily family);
bool FaceInstalled(std::wstring_view face);
UniqueFont MakeFont(const FontStyle& style, int dpi);

}  // namespace tavrin::win32
