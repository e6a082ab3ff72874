#include "win32/skin_art.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "win32/base/dpi.h"
#include "win32/gdi_backdrop.h"
#include "win32/gdi_drawing.h"
#include "win32/base/gdi_scopes.h"
#include "win32/skin_fonts.h"
#include "win32/skin_glyphs.h"
#include "win32/skin_palette.h"

namespace tavrin::win32 {
namespace {

namespace colors = palette;

constexpr std::wstring_view kProgramName = L"Tavrin";
constexpr std::wstring_view kVersionLine = L"Version 1.5";
constexpr std::wstring_view kAuthorLine = L"By Dunmarrow (Kestle)";
constexpr std::wstring_view kSplashTagline =
    L"Tells your chat room which song is playing";
constexpr std::wstring_view kSplashPrompt = L"Double-click to continue";
constexpr std::wstring_view kAboutDescription =
    L"Advertises the song your player is playing to the chat room you "
    L"are in.";

// A fixed pattern, so that every repaint looks the same.
constexpr std::array<int, 16> kBarHeights = {5, 9, 14, 10, 18, 24, 16, 11,
                                             20, 27, 19, 13, 8, 15, 10, 6};

// Lengths in the art are designed at 96 dots per inch.
struct ArtScale {
  const RECT& client;
  int dpi;
  int operator()(int length) const { return Scaled(length, dpi); }
  RECT Row(int top, int height, int inset = 0) const {
    return {client.left + (*this)(inset), client.top + (*this)(top),
            client.right - (*this)(inset), client.top + (*this)(top + height)};
  }
};

void PutText(HDC dc, const FontStyle& style, int dpi, std::wstring_view text,
              const RECT& area, COLORREF color, UINT format) {
  const UniqueFont font = MakeFont(style, dpi);
  const Selection chosen(dc, font.get());
  DrawTextIn(dc, text, area, color, format);
}

void DrawEqualizer(HDC dc, const RECT& area, COLORREF color, int dpi) {
  const int count = static_cast<int>(kBarHeights.size());
  const int pitch = (area.right - area.left) / count;
  const int gap = std::max(1, Scaled(3, dpi));
  const int tallest = area.bottom - area.top;
  for (int i = 0; i < count; ++i) {
    const int height = tallest * kBarHeights[static_cast<std::size_t>(i)] / 27;
    const int left = area.left + i * pitch;
    FillVertical(dc, {left, area.bottom - height, left + pitch - gap,
                      area.bottom}, color, Blend(color, colors::kBodyBottom, 60));
  }
}

void DrawSeparator(HDC dc, const RECT& area) {
  const int middle = (area.left + area.right) / 2;
  FillHorizontal(dc, {area.left, area.top, middle, area.top + 1},
                 colors::kBodyBottom, colors::kAccentCool);
  FillHorizontal(dc, {middle, area.top, area.right, area.top + 1},
                 colors::kAccentCool, colors::kBodyBottom);
}

void DrawOuterEdge(HDC dc, const RECT& client) {
  FrameSolid(dc, client, colors::kFrameDark);
  FrameSolid(dc, Inflated(client, -1, -1), Blend(colors::kFrameLight,
                                                 colors::kBodyTop, 40));
}

void DrawAccentStripe(HDC dc, const RECT& client, int height) {
  const int middle = (client.left + client.right) / 2;
  FillHorizontal(dc, {client.left, client.top, middle, client.top + height},
                 colors::kTitleBottom, colors::kAccentCool);
  FillHorizontal(dc, {middle, client.top, client.right, client.top + height},
                 colors::kAccentCool, colors::kAccent);
}

// The program's mark: a rounded title-blue tile with two notes.
void DrawEmblem(HDC dc, const RECT& box, int dpi) {
  FillRounded(dc, box, Scaled(10, dpi), colors::kTitleTop, colors::kTitleBottom,
              colors::kTitleEdge);
  DrawGlyph(dc, Glyph::kMusicNotes, Inflated(box, -(box.right - box.left) / 5,
                                             -(box.bottom - box.top) / 5),
            colors::kTitleText);
}

void DrawNameplate(HDC dc, const ArtScale& at, int top) {
  const RECT name = at.Row(top, 64);
  const UniqueFont font = MakeFont({FontFamily::kInterface, 54, true}, at.dpi);
  const Selection chosen(dc, font.get());
  const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  RECT shadow = name;
  OffsetRect(&shadow, at(2), at(3));
  DrawTextIn(dc, kProgramName, shadow, colors::kFrameDark, format);
  DrawTextIn(dc, kProgramName, name, colors::kTextBright, format);
}

}  // namespace

void DrawSplashArt(HDC dc, const RECT& client, int dpi) {
  const ArtScale at{client, dpi};
  FillBackdrop(dc, client, colors::kBodyTop, colors::kBodyBottom,
               {{client.right - at(70), client.top + at(60)}, at(170),
                colors::kAccentCool, 30});
  DrawEqualizer(dc, at.Row(196, 48, 24),
                Blend(colors::kBodyTop, colors::kAccentCool, 30), dpi);
  DrawAccentStripe(dc, client, at(4));
  DrawGlyph(dc, Glyph::kMusicNotes, at.Row(38, 30, 172), colors::kAccent);
  DrawNameplate(dc, at, 64);
  const UINT centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  PutText(dc, {FontFamily::kInterface, 15, false}, dpi, kVersionLine,
           at.Row(128, 22), colors::kTextDim, centred);
  DrawSeparator(dc, at.Row(160, 1, 60));
  PutText(dc, {FontFamily::kInterface, 13, false}, dpi, kSplashTagline,
           at.Row(168, 22, 16), colors::kTextLight, centred);
  PutText(dc, {FontFamily::kInterface, 13, true}, dpi, kSplashPrompt,
           at.Row(256, 24), colors::kAccent, centred);
  DrawOuterEdge(dc, client);
}

void DrawAboutArt(HDC dc, const RECT& client, int dpi) {
  const ArtScale at{client, dpi};
  FillBackdrop(dc, client, colors::kBodyTop, colors::kBodyBottom,
               {{client.left + at(64), client.top + at(70)}, at(130),
                colors::kAccentCool, 24});
  DrawAccentStripe(dc, client, at(4));
  DrawEmblem(dc, {client.left + at(28), client.top + at(34),
                  client.left + at(100), client.top + at(106)}, dpi);
  const int textLeft = client.left + at(124);
  const int textRight = client.right - at(20);
  const auto row = [&](int top, int height) {
    return RECT{textLeft, client.top + at(top), textRight,
                client.top + at(top + height)};
  };
  const UINT line = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
  PutText(dc, {FontFamily::kInterface, 32, true}, dpi, kProgramName,
           row(26, 42), colors::kTextBright, line);
  PutText(dc, {FontFamily::kInterface, 13, false}, dpi, kVersionLine,
           row(68, 18), colors::kAccent, line);
  DrawSeparator(dc, row(94, 1));
  PutText(dc, {FontFamily::kInterface, 13, true}, dpi, kAuthorLine,
           row(102, 20), colors::kTextLight, line);
  PutText(dc, {FontFamily::kInterface, 12, false}, dpi, kAboutDescription,
           row(126, 40), colors::kTextDim, DT_LEFT | DT_TOP | DT_WORDBREAK);
  DrawEqualizer(dc, {client.left + at(28), client.top + at(176),
                     client.left + at(220), client.top + at(208)},
                Blend(colors::kBodyTop, colors::kAccentCool, 30), dpi);
  DrawOuterEdge(dc, client);
}

}  // namespace tavrin::win32
