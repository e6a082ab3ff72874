#pragma once

#include <cstdint>

#include "platform/forms.h"

namespace tavrin::forms {

using platform::FormWindow;
using platform::PixelPoint;

// Moves a borderless window by its DraggerBar: the point of the bar where
// the button went down stays under the pointer. Coordinates are twips
// relative to the bar.
class Dragger {
 public:
  // Any button starts a drag.
  void MouseDown(float x, float y);
  void MouseMove(FormWindow& window, float x, float y);
  // Moves once more, whether a drag was on or not, then ends the drag.
  void MouseUp(FormWindow& window, float x, float y);

  bool Dragging() const { return dragging_; }

 private:
  void Move(FormWindow& window, float x, float y) const;

  bool dragging_ = false;
  std::int16_t dragX_ = 0;
  std::int16_t dragY_ = 0;
};

}  // namespace tavrin::forms
