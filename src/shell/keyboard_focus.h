#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/forms.h"

// Which of a form's controls the keyboard reaches, in what order, and what
// its keys do there. Both toolkits keep one per window, so that the keys
// act alike everywhere.
namespace tavrin::shell {

enum class Key { kTab, kShiftTab, kSpace, kEnter, kEscape };

// What the user knows the control by: its label, else its caption.
std::string_view SpokenName(const platform::ControlDesign& control);

// Buttons, check boxes and the system's boxes take the keyboard, and a
// picture that says what it is acts as a button (a message's OK).
bool IsTabStop(const platform::ControlDesign& control);

// The tab stops in reading order: row by row from the top, left to right
// within a row, controls whose tops lie within a row's first control
// belonging to that row. The title band's buttons come last, as a window's
// own caption buttons are not where a user starts.
std::vector<std::size_t> TabOrder(const platform::FormDesign& design);

struct KeyOutcome {
  bool focusMoved = false;
  std::optional<std::size_t> click;  // the control the key clicks
};

class KeyboardFocus {
 public:
  explicit KeyboardFocus(const platform::FormDesign& design);

  // Control indexes; Tab goes from each to the next and from the last to
  // the first.
  const std::vector<std::size_t>& Order() const { return order_; }
  // Nothing until Tab, a click or the program puts the keyboard somewhere.
  std::optional<std::size_t> Focused() const { return focused_; }
  // A click, the system or the program gave the keyboard to the control;
  // one Tab does not reach keeps the focus where it was.
  void FocusOn(std::size_t index);

  // Tab and Shift+Tab move on; Space and Enter click a focused button or
  // check box; Esc clicks the form's escape control.
  KeyOutcome Press(Key key);

 private:
  std::vector<platform::ControlKind> kinds_;
  std::vector<std::size_t> order_;
  std::optional<std::size_t> escape_;
  std::optional<std::size_t> focused_;
};

}  // namespace tavrin::shell
