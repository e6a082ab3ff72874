#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The skinned controls of a form for screen readers and other assistive
// technology: an accessible object for the window's client area, given out
// on WM_GETOBJECT, whose children are the controls the keyboard reaches,
// in Tab order (child id 1 is the first).
namespace tavrin::win32 {

// One control as a screen reader learns it.
struct AccessibleItem {
  std::wstring name;
  long role = 0;    // ROLE_SYSTEM_PUSHBUTTON, ROLE_SYSTEM_CHECKBUTTON, ...
  long state = 0;   // STATE_SYSTEM_* bits
  RECT place{};     // client pixels
  HWND window = nullptr;  // a system control's own window
  bool clickable = false;
  bool checked = false;
};

// What the accessible object asks of its window.
class AccessibleForm {
 public:
  virtual ~AccessibleForm() = default;
  virtual HWND FormHandle() const = 0;
  virtual std::vector<AccessibleItem> AccessibleItems() const = 0;
  // The item the keyboard is on; nothing when the form has not the focus.
  virtual std::optional<std::size_t> AccessibleFocus() const = 0;
  // Clicks the item later, from the window's own messages: the caller is
  // another program, and the click may unload the form.
  virtual void PostClick(std::size_t item) = 0;
};

class FormAccessible;

// A window's side: answers WM_GETOBJECT and tells listeners of changes.
// The object it gave out outlives it in the callers' hands and answers
// that it is gone from then on.
class FormAccessibility {
 public:
  explicit FormAccessibility(AccessibleForm& form) : form_(form) {}
  ~FormAccessibility();
  FormAccessibility(const FormAccessibility&) = delete;
  FormAccessibility& operator=(const FormAccessibility&) = delete;

  // The answer to WM_GETOBJECT; nothing for the default handling (any
  // object but the client area, or no accessibility library).
  std::optional<LRESULT> Answer(WPARAM wParam, LPARAM lParam);
  void FocusMoved(std::size_t item) const;
  void StateChanged(std::size_t item) const;

 private:
  AccessibleForm& form_;
  FormAccessible* object_ = nullptr;  // one reference held
};

}  // namespace tavrin::win32
