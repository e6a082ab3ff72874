#pragma once

#include <windows.h>

// The pictures of the splash and the About window, drawn over the whole
// client area.
namespace tavrin::win32 {

void DrawSplashArt(HDC dc, const RECT& client, int dpi);
void DrawAboutArt(HDC dc, const RECT& client, int dpi);

}  // namespace tavrin::win32
