#include "shell/form_layout.h"

#include <algorithm>

namespace tavrin::shell {

using platform::kTwipsPerInch;

int PixelsFromTwips(int twips, int dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  const long long half = kTwipsPerInch / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                      : (scaled - half) / kTwipsPerInch);
}

float TwipsFromPixels(int pixels, int dpi) {
  return static_cast<float>(pixels) * kTwipsPerInch / static_cast<float>(dpi);
}

platform::PixelRect PixelRectFromTwips(const platform::TwipsRect& place,
                                       int dpi) {
  return {PixelsFromTwips(place.left, dpi), PixelsFromTwips(place.top, dpi),
          PixelsFromTwips(place.left + place.width, dpi),
          PixelsFromTwips(place.top + place.height, dpi)};
}

bool Contains(const platform::PixelRect& rect, platform::PixelPoint point) {
  return point.x >= rect.left && point.x < rect.right &&
         point.y >= rect.top && point.y < rect.bottom;
}

bool ReportsClicks(platform::ControlKind kind) {
  using platform::ControlKind;
  return kind == ControlKind::kButton || kind == ControlKind::kPicture ||
         kind == ControlKind::kCheckBox;
}

bool IsSystemControl(platform::ControlKind kind) {
  return kind == platform::ControlKind::kListBox ||
         kind == platform::ControlKind::kTextBox;
}

FormModel::FormModel(const platform::FormDesign& design)
    : skin_(design.skin),
      widthTwips_(design.widthTwips),
      heightTwips_(design.heightTwips) {
  controls_.reserve(design.controls.size());
  for (const auto& control : design.controls) {
    controls_.push_back(FormControl{control, {}, 0, platform::Picture::kNone,
                                    control.caption});
  }
  Layout(dpi_);
}

void FormModel::Layout(int dpi) {
  dpi_ = dpi;
  for (auto& control : controls_) {
    control.rect = PixelRectFromTwips(control.design.place, dpi);
  }
}

platform::PixelPoint FormModel::SizeInPixels() const {
  return {PixelsFromTwips(widthTwips_, dpi_),
          PixelsFromTwips(heightTwips_, dpi_)};
}

std::optional<std::size_t> FormModel::IndexOf(std::string_view name) const {
  const auto found =
      std::find_if(controls_.begin(), controls_.end(),
                   [name](const FormControl& c) { return c.design.name == name; });
  if (found == controls_.end()) return std::nullopt;
  return static_cast<std::size_t>(found - controls_.begin());
}

std::optional<std::size_t> FormModel::HitTest(platform::PixelPoint point) const {
  for (std::size_t i = controls_.size(); i-- > 0;) {
    const FormControl& control = controls_[i];
    if (control.design.kind == platform::ControlKind::kHolder) continue;
    if (!Contains(control.rect, point)) continue;
    // The system control has the point itself, not what lies under it.
    if (IsSystemControl(control.design.kind)) return std::nullopt;
    return i;
  }
  return std::nullopt;
}

}  // namespace tavrin::shell
