// The keyboard on a form: Tab and Shift+Tab move between its controls,
// Space and Enter click the button or check box it is on, Esc clicks a
// secondary window's close button. The form's own window holds the
// keyboard while it is on a control the skin draws, and the skin marks
// that control; screen readers hear of each move.
#include <oleacc.h>

#include "win32/win32_form_window.h"
#include "win32/base/win32_text.h"

namespace tavrin::win32 {
namespace {

bool Held(int key) { return GetKeyState(key) < 0; }

// A key held down repeats: only Tab moves on with the repeats.
std::optional<shell::Key> KeyOf(WPARAM key, bool repeated) {
  if (Held(VK_CONTROL) || Held(VK_MENU)) return std::nullopt;
  switch (key) {
    case VK_TAB: return Held(VK_SHIFT) ? shell::Key::kShiftTab : shell::Key::kTab;
    case VK_SPACE:
      if (!repeated) return shell::Key::kSpace;
      break;
    case VK_RETURN:
      if (!repeated) return shell::Key::kEnter;
      break;
    case VK_ESCAPE:
      if (!repeated) return shell::Key::kEscape;
      break;
    default: break;
  }
  return std::nullopt;
}

long RoleOf(platform::ControlKind kind) {
  switch (kind) {
    case platform::ControlKind::kCheckBox: return ROLE_SYSTEM_CHECKBUTTON;
    case platform::ControlKind::kTextBox: return ROLE_SYSTEM_TEXT;
    case platform::ControlKind::kListBox: return ROLE_SYSTEM_LIST;
    default: return ROLE_SYSTEM_PUSHBUTTON;
  }
}

}  // namespace

// The handler may unload the form: nothing is touched after the click.
bool Win32FormWindow::HandleKey(WPARAM key, LPARAM lParam) {
  const bool repeated = (lParam & (LPARAM{1} << 30)) != 0;
  const auto pressed = KeyOf(key, repeated);
  if (!pressed) return false;
  FollowSystemFocus();
  const Target before = keys_.Focused();
  if (!keyboardCues_) {
    keyboardCues_ = true;
    Invalidate(before);
  }
  const shell::KeyOutcome outcome = keys_.Press(*pressed);
  if (outcome.focusMoved) ShowFocusMoved(before);
  if (outcome.click) events_.OnClick(NameOf(outcome.click));
  return true;
}

void Win32FormWindow::TakeFocus(Target target) {
  if (!target || !ItemOf(*target)) return;
  const Target before = keys_.Focused();
  keys_.FocusOn(*target);
  if (keys_.Focused() != before) ShowFocusMoved(before);
}

// A system control takes the keyboard itself; for the others the form
// keeps it.
void Win32FormWindow::ShowFocusMoved(Target before) {
  Invalidate(before);
  const Target now = keys_.Focused();
  if (!now) return;
  Invalidate(now);
  if (SystemControl* box = systemControls_[*now].get()) {
    SetFocus(box->Window());
    return;
  }
  if (GetFocus() != window_.get()) SetFocus(window_.get());
  if (const auto item = ItemOf(*now)) accessibility_.FocusMoved(*item);
}

Win32FormWindow::Target Win32FormWindow::MarkedFocus() const {
  const Target focused = keys_.Focused();
  if (!keyboardCues_ || !focused || systemControls_[*focused] ||
      GetFocus() != window_.get()) {
    return {};
  }
  return focused;
}

std::optional<std::size_t> Win32FormWindow::ItemOf(std::size_t control) const {
  const auto& order = keys_.Order();
  for (std::size_t item = 0; item < order.size(); ++item) {
    if (order[item] == control) return item;
  }
  return std::nullopt;
}

std::vector<AccessibleItem> Win32FormWindow::AccessibleItems() const {
  std::vector<AccessibleItem> items;
  const HWND focus = GetFocus();
  for (const std::size_t index : keys_.Order()) {
    const shell::FormControl& control = model_.Controls()[index];
    const SystemControl* box = systemControls_[index].get();
    AccessibleItem item;
    item.name = WideFromUtf8(shell::SpokenName(control.design));
    item.role = RoleOf(control.design.kind);
    item.place = {control.rect.left, control.rect.top, control.rect.right,
                  control.rect.bottom};
    item.window = box != nullptr ? box->Window() : nullptr;
    item.clickable = box == nullptr;
    item.checked = control.check == 1;
    item.state = STATE_SYSTEM_FOCUSABLE;
    if (control.check == 1) item.state |= STATE_SYSTEM_CHECKED;
    if (control.check == 2) item.state |= STATE_SYSTEM_MIXED;
    if (hovered_ == index) item.state |= STATE_SYSTEM_HOTTRACKED;
    const bool focused = box != nullptr ? focus == box->Window()
                                        : focus == window_.get() &&
                                              keys_.Focused() == index;
    if (focused) item.state |= STATE_SYSTEM_FOCUSED;
    items.push_back(std::move(item));
  }
  return items;
}

std::optional<std::size_t> Win32FormWindow::AccessibleFocus() const {
  const HWND focus = GetFocus();
  const Target focused = keys_.Focused();
  if (!focused) return std::nullopt;
  const SystemControl* box = systemControls_[*focused].get();
  if (focus != (box != nullptr ? box->Window() : window_.get())) return {};
  return ItemOf(*focused);
}

void Win32FormWindow::PostClick(std::size_t item) {
  PostMessageW(window_.get(), kClickItemMessage, item, 0);
}

void Win32FormWindow::ClickItem(std::size_t item) {
  const auto& order = keys_.Order();
  if (item < order.size()) events_.OnClick(NameOf(order[item]));
}

}  // namespace tavrin::win32
