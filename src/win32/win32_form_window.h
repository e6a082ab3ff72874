#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "shell/form_layout.h"
#include "shell/keyboard_focus.h"
#include "win32/form_accessible.h"
#include "win32/system_control.h"
#include "win32/base/win32_handles.h"
#include "win32/base/window_binding.h"

namespace tavrin::win32 {

// A form as a borderless top-level window of its skin's class, captioned
// with the form's caption. Most of its controls are places inside the
// window, not child windows: the window hit-tests the mouse against them
// and the skin draws them. List and text boxes are the system's own
// controls, child windows at their places that take their own mouse input
// and, whenever the form is active, the keyboard. The keyboard moves
// between all of them with Tab (form_window_keys.cpp), and screen readers
// learn them from the window's accessible object.
class Win32FormWindow final : public platform::FormWindow,
                              private AccessibleForm {
 public:
  // Creates the window hidden and centred on the primary screen; throws
  // std::runtime_error when it cannot. `events` must outlive the window.
  Win32FormWindow(const platform::FormDesign& design,
                  platform::FormEvents& events);
  ~Win32FormWindow() override;
  Win32FormWindow(const Win32FormWindow&) = delete;
  Win32FormWindow& operator=(const Win32FormWindow&) = delete;

  platform::WindowHandle Handle() const override;
  // The program's icon at the small size, as the notification area wants.
  std::uintptr_t Icon() const override;

  void Show() override;
  void Hide() override;
  void Activate() override;
  bool IsVisible() const override;
  void SetCaption(std::string_view caption) override;

  bool SetLayeredAlpha(std::uint8_t alpha) override;
  void SetTopmost(bool topmost) override;
  void SetShape(const std::vector<platform::PixelRect>& rectangles) override;
  platform::PixelPoint Position() const override;
  void MoveTo(platform::PixelPoint topLeft) override;
  int Dpi() const override { return model_.Dpi(); }

  // Only stores and shows the value: a click reports OnClick and the
  // program decides the new value.
  void SetCheck(std::string_view control, int value) override;
  void SetPicture(std::string_view control,
                  platform::Picture picture) override;
  void SetControlText(std::string_view control,
                      std::string_view text) override;
  std::string ControlText(std::string_view control) const override;
  void SetLocked(std::string_view control, bool locked) override;
  void Focus(std::string_view control) override;
  void AddListItem(std::string_view control, std::string_view text) override;
  int ListIndex(std::string_view control) const override;
  std::string PopupMenu(std::span<const platform::MenuItem> items) override;
  // The system's Open dialog (form_window_dialog.cpp).
  std::optional<std::string> ChooseFileToOpen(
      const platform::FileFilter& filter, std::string_view fileName) override;

 private:
  friend LRESULT CALLBACK BoundWindowProc<Win32FormWindow>(HWND, UINT, WPARAM,
                                                           LPARAM) noexcept;
  // A screen reader asked for a click (AccessibleForm::PostClick); wParam
  // is the item.
  static constexpr UINT kClickItemMessage = WM_APP + 1;
  // A control's index, or nothing for the form's own face.
  using Target = std::optional<std::size_t>;
  // A button held down on a target; the window has the mouse capture.
  struct Press {
    Target target;
    platform::MouseButton button;
    bool afterDoubleClick;
  };

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam);
  bool HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
  void ButtonDown(platform::MouseButton button, LPARAM lParam);
  void ButtonUp(platform::MouseButton button, WPARAM wParam, LPARAM lParam);
  void DoubleClick(LPARAM lParam);
  void MouseMoved(WPARAM wParam, LPARAM lParam);
  void CaptureLost();
  void DpiChanged(int dpi, const RECT& suggested);
  void ApplyShape(int dpi);

  // The system controls (form_window_controls.cpp).
  void CreateSystemControls();
  void PlaceSystemControls();
  SystemControl* SystemControlOf(std::string_view control) const;
  // The index of the control whose window that is.
  Target SystemControlIndex(HWND child) const;
  std::optional<LRESULT> HandleControlMessage(UINT message, WPARAM wParam,
                                              LPARAM lParam);
  void ControlCommand(HWND child, WORD code);
  // Gives the keyboard to the system control it is on, or to the first
  // one when it is on none; false when it stays with the form itself.
  bool PassFocus();
  // Takes note of the system control the user put the keyboard on.
  void FollowSystemFocus();

  // The keyboard (form_window_keys.cpp).
  bool HandleKey(WPARAM key, LPARAM lParam);
  // A click on a control the keyboard reaches gives it the keyboard.
  void TakeFocus(Target target);
  void ShowFocusMoved(Target before);
  // The control whose focus mark the skin draws now.
  Target MarkedFocus() const;
  std::optional<std::size_t> ItemOf(std::size_t control) const;

  // AccessibleForm.
  HWND FormHandle() const override { return window_.get(); }
  std::vector<AccessibleItem> AccessibleItems() const override;
  std::optional<std::size_t> AccessibleFocus() const override;
  void PostClick(std::size_t item) override;
  void ClickItem(std::size_t item);

  void Paint();
  void Invalidate(Target target);
  void SetHovered(Target target);
  void TrackLeave();
  void PlaceCentred();

  Target HitTest(POINT point) const;
  std::string NameOf(Target target) const;
  platform::PixelRect PlaceOf(Target target) const;
  // Twips from the target's top-left corner.
  float TwipsX(Target target, POINT point) const;
  float TwipsY(Target target, POINT point) const;
  bool IsClick(const Press& press, platform::MouseButton button,
               Target over) const;

  platform::FormEvents& events_;
  shell::FormModel model_;
  std::vector<platform::PixelRect> designShape_;  // at 96 dots per inch
  std::vector<platform::PixelRect> shape_;        // as applied
  std::optional<Press> press_;
  Target hovered_;
  bool trackingLeave_ = false;
  // Set false when the form goes: an event handler may unload the form, and
  // the message handling then stops touching it.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  UniqueWindow window_;
  // By control index; empty for the controls the skin draws. They go
  // before the window (see the destructor).
  std::vector<std::unique_ptr<SystemControl>> systemControls_;
  shell::KeyboardFocus keys_;
  // Set once the user used the keyboard in the window: until then no focus
  // mark shows, as in any Windows dialog.
  bool keyboardCues_ = false;
  FormAccessibility accessibility_{*this};
};

}  // namespace tavrin::win32
