#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "platform/forms.h"
#include "win32/base/win32_handles.h"

namespace tavrin::win32 {

// What a system control's WM_COMMAND notification means to the form.
enum class ControlNotice { kNone, kSelectionChange };

// One of the system's own controls inside a skinned form: a child window of
// the form at its control's place, in the skin's lettering and colours. The
// keyboard, input methods and screen readers work on it as on any program's
// controls. Each kind is a class name, a style and the notifications it
// reports.
class SystemControl {
 public:
  // nullptr for the kinds the skin draws itself, or when the system refused
  // the window.
  static std::unique_ptr<SystemControl> Create(
      HWND form, const platform::ControlDesign& design, int id);
  ~SystemControl();
  SystemControl(const SystemControl&) = delete;
  SystemControl& operator=(const SystemControl&) = delete;

  HWND Window() const { return window_.get(); }

  // Moves it to its place in the form's client pixels and letters it for
  // that resolution.
  void Place(const platform::PixelRect& place, int dpi);
  ControlNotice NoticeOf(WORD code) const;
  // The answer to its WM_CTLCOLOR* message: the skin's text and field
  // colours on the device context, and the brush for its background. A
  // locked text box letters dimmer.
  HBRUSH Colour(HDC dc) const;

  // List boxes: an item added after the others (the list is not sorted),
  // and the selected position, -1 for none.
  void AddItem(std::string_view utf8);
  int Selected() const;

  // Text boxes: the text, and whether typing is locked out (read-only: the
  // text can still be selected and copied).
  bool IsTextBox() const { return kind_ == platform::ControlKind::kTextBox; }
  void SetText(std::string_view utf8);
  std::string Text() const;
  void SetLocked(bool locked);

 private:
  SystemControl(platform::ControlKind kind, HWND window, std::wstring name);
  // Screen readers ask the control itself: its own procedure answers them
  // with its name, and passes all else on.
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam);

  platform::ControlKind kind_;
  std::wstring name_;  // what the skin's label calls it
  WNDPROC original_ = nullptr;
  bool locked_ = false;
  UniqueBrush field_;
  // The control draws with the font until it goes: declared before the
  // window, so the window is destroyed first.
  UniqueFont font_;
  UniqueWindow window_;
};

}  // namespace tavrin::win32
