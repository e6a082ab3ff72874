#include "forms/effects.h"

namespace tavrin::forms {

std::int32_t SetTranslucency(FormWindow& window, std::int16_t alpha) {
  if (alpha < 0 || alpha > 255) return kAlphaOutOfRange;
  return window.SetLayeredAlpha(static_cast<std::uint8_t>(alpha))
             ? kApplied
             : kPlatformError;
}

void SetTopmost(FormWindow& window) { window.SetTopmost(true); }
void SetNotTopmost(FormWindow& window) { window.SetTopmost(false); }

// The union of these few rectangles is the region that one-pixel strips,
// column by column, would build; building it from them needs no strips.
const std::vector<PixelRect>& MainFRMShape() {
  static const std::vector<PixelRect> shape = {
      {0, 0, 144, 21}, {150, 0, 171, 21}, {176, 0, 197, 21},
      {202, 0, 223, 21}, {0, 28, 223, 110}};
  return shape;
}

const std::vector<PixelRect>& OptionsFRMShape() {
  static const std::vector<PixelRect> shape = {
      {0, 0, 238, 21}, {243, 0, 264, 21}, {0, 28, 264, 152}};
  return shape;
}

const std::vector<PixelRect>& CommandsFRMShape() {
  static const std::vector<PixelRect> shape = {
      {0, 0, 282, 21}, {287, 0, 308, 21}, {0, 28, 308, 224}};
  return shape;
}

const std::vector<PixelRect>& SongAdvSetupFRMShape() {
  static const std::vector<PixelRect> shape = {
      {0, 0, 249, 21}, {254, 0, 275, 21}, {0, 28, 275, 164}};
  return shape;
}

void ShapeMainFRM(FormWindow& window) { window.SetShape(MainFRMShape()); }
void ShapeOptionsFRM(FormWindow& window) {
  window.SetShape(OptionsFRMShape());
}
void ShapeCommandsFRM(FormWindow& window) {
  window.SetShape(CommandsFRMShape());
}
void ShapeSongAdvSetupFRM(FormWindow& window) {
  window.SetShape(SongAdvSetupFRMShape());
}

}  // namespace tavrin::forms
