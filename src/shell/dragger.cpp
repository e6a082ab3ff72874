#include "shell/dragger.h"

#include <cmath>

namespace tavrin::shell {
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

void Dragger::MouseMove(platform::FormWindow& window,
                        platform::FormsToolkit& forms, float x, float y) {
  if (dragging_) Move(window, forms, x, y);
}

void Dragger::MouseUp(platform::FormWindow& window,
                      platform::FormsToolkit& forms, float x, float y) {
  Move(window, forms, x, y);
  dragging_ = false;
}

// left := X - DragX + left, in twips at single precision, like the form's
// own Left and Top.
void Dragger::Move(platform::FormWindow& window, platform::FormsToolkit& forms,
                   float x, float y) const {
  const auto perPixelX = static_cast<float>(forms.TwipsPerPixelX());
  const auto perPixelY = static_cast<float>(forms.TwipsPerPixelY());
  const platform::PixelPoint at = window.Position();
  const float left = x - dragX_ + static_cast<float>(at.x) * perPixelX;
  const float top = y - dragY_ + static_cast<float>(at.y) * perPixelY;
  window.MoveTo({static_cast<int>(std::lround(left / perPixelX)),
                 static_cast<int>(std::lround(top / perPixelY))});
}

}  // namespace tavrin::shell
