#include "shell/keyboard_focus.h"

#include <algorithm>

namespace tavrin::shell {
namespace {

using platform::ControlDesign;
using platform::ControlKind;

int Bottom(const platform::TwipsRect& r) { return r.top + r.height; }

bool Overlaps(const platform::TwipsRect& a, const platform::TwipsRect& b) {
  return a.top < Bottom(b) && b.top < Bottom(a);
}

bool InTitleBand(const platform::FormDesign& design,
                 const ControlDesign& control) {
  return std::any_of(design.controls.begin(), design.controls.end(),
                     [&](const ControlDesign& other) {
                       return other.kind == ControlKind::kDragBar &&
                              Overlaps(other.place, control.place);
                     });
}

// Row by row, then left to right within each row.
void SortReadingOrder(const platform::FormDesign& design,
                      std::vector<std::size_t>& indexes) {
  const auto place = [&](std::size_t i) { return design.controls[i].place; };
  std::stable_sort(indexes.begin(), indexes.end(), [&](auto a, auto b) {
    return place(a).top < place(b).top;
  });
  for (auto row = indexes.begin(); row != indexes.end();) {
    const int rowBottom = Bottom(place(*row));
    const auto end = std::find_if(row, indexes.end(), [&](std::size_t i) {
      return place(i).top >= rowBottom;
    });
    std::stable_sort(row, end, [&](auto a, auto b) {
      return place(a).left < place(b).left;
    });
    row = end;
  }
}

bool IsClickedByKey(ControlKind kind) {
  return kind == ControlKind::kButton || kind == ControlKind::kCheckBox ||
         kind == ControlKind::kPicture;
}

}  // namespace

std::string_view SpokenName(const ControlDesign& control) {
  return control.label.empty() ? control.caption : control.label;
}

bool IsTabStop(const ControlDesign& control) {
  switch (control.kind) {
    case ControlKind::kButton:
    case ControlKind::kCheckBox:
    case ControlKind::kListBox:
    case ControlKind::kTextBox: return true;
    case ControlKind::kPicture: return !SpokenName(control).empty();
    default: return false;
  }
}

std::vector<std::size_t> TabOrder(const platform::FormDesign& design) {
  std::vector<std::size_t> body, band;
  for (std::size_t i = 0; i < design.controls.size(); ++i) {
    const ControlDesign& control = design.controls[i];
    if (!IsTabStop(control)) continue;
    (InTitleBand(design, control) ? band : body).push_back(i);
  }
  SortReadingOrder(design, body);
  SortReadingOrder(design, band);
  body.insert(body.end(), band.begin(), band.end());
  return body;
}

KeyboardFocus::KeyboardFocus(const platform::FormDesign& design)
    : order_(TabOrder(design)) {
  for (std::size_t i = 0; i < design.controls.size(); ++i) {
    kinds_.push_back(design.controls[i].kind);
    if (design.controls[i].name == design.escapeControl) escape_ = i;
  }
}

void KeyboardFocus::FocusOn(std::size_t index) {
  if (std::find(order_.begin(), order_.end(), index) != order_.end()) {
    focused_ = index;
  }
}

KeyOutcome KeyboardFocus::Press(Key key) {
  switch (key) {
    case Key::kTab:
    case Key::kShiftTab: {
      if (order_.empty()) return {};
      const bool back = key == Key::kShiftTab;
      const auto at = std::find(order_.begin(), order_.end(), focused_);
      std::size_t next = back ? order_.size() - 1 : 0;
      if (at != order_.end()) {
        const std::size_t here = static_cast<std::size_t>(at - order_.begin());
        next = (here + (back ? order_.size() - 1 : 1)) % order_.size();
      }
      focused_ = order_[next];
      return {true, {}};
    }
    case Key::kSpace:
    case Key::kEnter:
      if (focused_ && IsClickedByKey(kinds_[*focused_])) return {false, focused_};
      return {};
    case Key::kEscape: return {false, escape_};
  }
  return {};
}

}  // namespace tavrin::shell
