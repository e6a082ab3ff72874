#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms.h"

// Where a form's controls sit on its window and which one the mouse is on:
// the designed twips laid out in pixels for the window's resolution, and
// what the program has set on each control. A toolkit keeps one per window.
namespace tavrin::shell {

// Rounded to the nearest pixel, halves away from zero.
int PixelsFromTwips(int twips, int dpi);
float TwipsFromPixels(int pixels, int dpi);
// Edges are rounded one by one, so that neighbouring controls stay flush.
platform::PixelRect PixelRectFromTwips(const platform::TwipsRect& place,
                                       int dpi);

// Right and bottom lie just outside the rectangle.
bool Contains(const platform::PixelRect& rect, platform::PixelPoint point);

// Buttons, pictures and check boxes report clicks; other kinds do not.
bool ReportsClicks(platform::ControlKind kind);

// Kinds the toolkit makes of the system's own controls (a list box, a text
// box): they take their own mouse and keyboard input, so the form's
// hit-testing passes them by and the skin draws only around them.
bool IsSystemControl(platform::ControlKind kind);

struct FormControl {
  platform::ControlDesign design;
  platform::PixelRect rect;
  int check = 0;
  platform::Picture picture = platform::Picture::kNone;
  std::string text;  // starts as the design caption
};

// Controls are named by their index, which stays valid for the form's life.
class FormModel {
 public:
  // Laid out at the standard 96 dots per inch until Layout says otherwise.
  explicit FormModel(const platform::FormDesign& design);

  void Layout(int dpi);
  int Dpi() const { return dpi_; }
  platform::PixelPoint SizeInPixels() const;

  platform::FormSkin Skin() const { return skin_; }
  const std::vector<FormControl>& Controls() const { return controls_; }
  FormControl& At(std::size_t index) { return controls_.at(index); }
  std::optional<std::size_t> IndexOf(std::string_view name) const;

  // The topmost control under the point (the later in design order wins);
  // holders are never hit, and neither is anything where a system control
  // lies on top.
  std::optional<std::size_t> HitTest(platform::PixelPoint point) const;

 private:
  platform::FormSkin skin_;
  int widthTwips_;
  int heightTwips_;
  std::vector<FormControl> controls_;
  int dpi_ = 96;
};

}  // namespace tavrin::shell
