#include "win32/skin_painter.h"

#include <algorithm>
#include <vector>

#include "win32/base/dpi.h"
#include "win32/gdi_drawing.h"
#include "win32/skin_art.h"
#include "win32/skin_fonts.h"
#include "win32/skin_labels.h"
#include "win32/skin_palette.h"
#include "win32/skin_pieces.h"
#include "win32/skin_roles.h"
#include "win32/base/win32_text.h"

namespace tavrin::win32 {
namespace {

using platform::FormSkin;
using platform::Picture;

RECT ToRect(const platform::PixelRect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

Look LookOf(const SkinView& view, std::size_t index) {
  if (view.pressed == index) return Look::kPressed;
  if (view.hovered == index) return Look::kHover;
  return Look::kNormal;
}

// The title band ends where the lowest title-band control does.
int TitleBandBottom(const shell::FormModel& model) {
  int bottom = 0;
  for (const shell::FormControl& control : model.Controls()) {
    const ControlRole role = RoleOf(control);
    if (role == ControlRole::kTitleStrip || role == ControlRole::kCloseTile ||
        role == ControlRole::kMinimiseTile) {
      bottom = std::max(bottom, control.rect.bottom);
    }
  }
  return bottom;
}

std::vector<RECT> OutlineTiles(const SkinView& view) {
  if (view.shape.empty()) return {view.client};
  std::vector<RECT> tiles;
  for (const auto& piece : view.shape) tiles.push_back(ToRect(piece));
  return tiles;
}

// The main and message windows: a title band over a body, cut into tiles.
void PaintBandedBackground(HDC dc, const SkinView& view) {
  FillVertical(dc, view.client, palette::kBodyTop, palette::kBodyBottom);
  const int band = TitleBandBottom(view.model);
  DrawTitleBand(dc, {view.client.left, view.client.top, view.client.right,
                     view.client.top + band});
  for (const RECT& tile : OutlineTiles(view)) {
    if (tile.bottom <= band) {
      DrawTitleTileEdge(dc, tile);
    } else {
      DrawBodyEdge(dc, tile);
    }
  }
}

// The words the skin puts beside the boxes of the settings windows.
void PaintLabels(HDC dc, const SkinView& view) {
  const int dpi = view.model.Dpi();
  for (const SkinLabel& label : SkinLabels(view.model.Skin())) {
    const auto index = view.model.IndexOf(label.control);
    if (!index) continue;
    std::wstring text = WideFromUtf8(view.model.Controls()[*index].design.label);
    if (label.alignRight) text += L':';
    DrawLabel(dc, ToRect(shell::PixelRectFromTwips(label.place, dpi)), text,
              label.alignRight, dpi);
  }
}

void PaintBackground(HDC dc, const SkinView& view) {
  switch (view.model.Skin()) {
    case FormSkin::kSplash: return DrawSplashArt(dc, view.client, view.model.Dpi());
    case FormSkin::kAbout: return DrawAboutArt(dc, view.client, view.model.Dpi());
    case FormSkin::kMain:
    case FormSkin::kMessage:
    case FormSkin::kCommands: return PaintBandedBackground(dc, view);
    case FormSkin::kOptions:
    case FormSkin::kSongAdvSetup:
      PaintBandedBackground(dc, view);
      return PaintLabels(dc, view);
  }
}

std::vector<StripSegment> StripSegments(const SkinView& view, const RECT& strip,
                                        bool pauseFace) {
  std::vector<StripSegment> segments;
  const auto& controls = view.model.Controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const auto glyph = TransportGlyph(controls[i].design.name, pauseFace);
    RECT area{};
    const RECT place = ToRect(controls[i].rect);
    if (!glyph || !IntersectRect(&area, &place, &strip)) continue;
    segments.push_back({area, *glyph, LookOf(view, i)});
  }
  return segments;
}

void PaintPicture(HDC dc, const SkinView& view, std::size_t index) {
  const shell::FormControl& control = view.model.Controls()[index];
  const RECT place = ToRect(control.rect);
  switch (control.picture) {
    case Picture::kPlayFace:
    case Picture::kPauseFace: {
      const bool pause = control.picture == Picture::kPauseFace;
      const auto segments = StripSegments(view, place, pause);
      return DrawTransportStrip(dc, place, segments, pause);
    }
    case Picture::kOkButton:
      return DrawFaceButton(dc, place, L"OK", LookOf(view, index),
                            view.model.Dpi());
    case Picture::kNone: return;
  }
}

// Each window's text is lettered as it is designed.
FontStyle TextFont(FormSkin skin) {
  if (skin == FormSkin::kCommands) return kLabelFont;
  return {FontFamily::kGothic, 12, false};
}

std::wstring StripCaption(const SkinView& view,
                          const shell::FormControl& control) {
  return control.text.empty() ? view.caption : WideFromUtf8(control.text);
}

void PaintControl(HDC dc, const SkinView& view, std::size_t index) {
  const shell::FormControl& control = view.model.Controls()[index];
  const RECT place = ToRect(control.rect);
  const int dpi = view.model.Dpi();
  const Look look = LookOf(view, index);
  switch (RoleOf(control)) {
    case ControlRole::kTitleStrip:
      return DrawTitleStrip(dc, place, StripCaption(view, control),
                            view.model.Skin() == FormSkin::kMain, dpi);
    case ControlRole::kCloseTile:
      return DrawGlyphTile(dc, place, Glyph::kClose, look, true);
    case ControlRole::kMinimiseTile:
      return DrawGlyphTile(dc, place, Glyph::kMinimise, look, false);
    case ControlRole::kFaceButton:
      return DrawFaceButton(dc, place, ButtonLabel(control), look, dpi);
    case ControlRole::kCheckBox:
      return DrawCheckBox(dc, place, control.check, look);
    case ControlRole::kPicture: return PaintPicture(dc, view, index);
    case ControlRole::kText:
      return DrawTextBlock(dc, place, WideFromUtf8(control.text),
                           TextFont(view.model.Skin()), dpi);
    case ControlRole::kFieldFrame: return DrawFieldFrame(dc, place);
    case ControlRole::kOverlay:
    case ControlRole::kHidden: return;
  }
}

// Inside a button's face; around a check box, which is too small to hold it.
void PaintFocusMark(HDC dc, const SkinView& view, std::size_t index) {
  const shell::FormControl& control = view.model.Controls()[index];
  const int dpi = view.model.Dpi();
  const int gap = Scaled(3, dpi);
  DrawFocusMark(dc, ToRect(control.rect),
                RoleOf(control) == ControlRole::kCheckBox ? -gap : gap, dpi);
}

}  // namespace

void PaintSkin(HDC dc, const SkinView& view) {
  PaintBackground(dc, view);
  for (std::size_t i = 0; i < view.model.Controls().size(); ++i) {
    PaintControl(dc, view, i);
  }
  if (view.focused) PaintFocusMark(dc, view, *view.focused);
}

}  // namespace tavrin::win32
