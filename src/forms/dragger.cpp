#include "forms/dragger.h"

#include <cmath>

namespace tavrin::forms {
namespace {

// Rounds to 16 bits, halves to even, as the grab point is kept.
std::int16_t ToInt16(float value) {
  const double whole = std::nearbyint(static_cast<double>(value));
  if (whole < -32768.0) return -32768;
  if (whole > 32767.0) return 32767;
  return static_cast<std::int16_t>(whole);
}

}  // namespace

void Dragger::MouseDown(float x, float y) {
  dragging_ = true;
  dragX_ = ToInt16(x);
  dragY_ = ToInt16(y);
}

void Dragger::MouseMove(FormWindow& window, float x, float y) {
  if (dragging_) Move(window, x, y);
}

void Dragger::MouseUp(FormWindow& window, float x, float y) {
  Move(window, x, y);
  dragging_ = false;
}

// left := X - DragX + left, in twips at single precision, like the form's
// own Left and Top. The pointer's twips are the window's, so its pixels are
// too: with the screen's scale instead, a window on a monitor at another
// scale would lag behind the pointer or run ahead of it.
void Dragger::Move(FormWindow& window, float x, float y) const {
  const float perPixel =
      static_cast<float>(platform::kTwipsPerInch) / static_cast<float>(window.Dpi());
  const PixelPoint at = window.Position();
  const float left = x - dragX_ + static_cast<float>(at.x) * perPixel;
  const float top = y - dragY_ + static_cast<float>(at.y) * perPixel;
  window.MoveTo({static_cast<int>(std::lround(left / perPixel)),
                 static_cast<int>(std::lround(top / perPixel))});
}

}  // namespace tavrin::forms
