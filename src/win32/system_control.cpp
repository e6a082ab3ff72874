#include "win32/system_control.h"

#include <utility>

#include "shell/keyboard_focus.h"
#include "win32/base/window_text.h"
#include "win32/labelled_accessible.h"
#include "win32/skin_fonts.h"
#include "win32/skin_palette.h"
#include "win32/base/win32_text.h"

namespace tavrin::win32 {
namespace {

struct ControlClass {
  const wchar_t* name;
  DWORD style;
};

constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

// Items stay in the order the program adds them, and a selection by mouse
// or keyboard is reported. The list keeps its designed height rather than
// a whole number of items, so that it lines up with the skin.
constexpr ControlClass kListBox = {
    L"LISTBOX", kChildStyle | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT};

// One line that scrolls sideways under the caret; line breaks cannot be
// typed into it.
constexpr ControlClass kTextBox = {L"EDIT", kChildStyle | ES_AUTOHSCROLL};

const ControlClass* ClassOf(platform::ControlKind kind) {
  switch (kind) {
    case platform::ControlKind::kListBox: return &kListBox;
    case platform::ControlKind::kTextBox: return &kTextBox;
    default: return nullptr;
  }
}

}  // namespace

std::unique_ptr<SystemControl> SystemControl::Create(
    HWND form, const platform::ControlDesign& design, int id) {
  const ControlClass* windowClass = ClassOf(design.kind);
  if (windowClass == nullptr) return nullptr;
  const HWND window = CreateWindowExW(
      0, windowClass->name, L"", windowClass->style, 0, 0, 0, 0, form,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) return nullptr;
  if (design.kind == platform::ControlKind::kTextBox && design.maxLength > 0) {
    SendMessageW(window, EM_SETLIMITTEXT,
                 static_cast<WPARAM>(design.maxLength), 0);
  }
  return std::unique_ptr<SystemControl>(new SystemControl(
      design.kind, window, WideFromUtf8(shell::SpokenName(design))));
}

SystemControl::SystemControl(platform::ControlKind kind, HWND window,
                             std::wstring name)
    : kind_(kind),
      name_(std::move(name)),
      field_(CreateSolidBrush(palette::kFieldFill)),
      window_(window) {
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
}

// The control's own procedure again for its last messages.
SystemControl::~SystemControl() {
  if (original_ == nullptr) return;
  SetWindowLongPtrW(window_.get(), GWLP_WNDPROC,
                    reinterpret_cast<LONG_PTR>(original_));
  SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

LRESULT CALLBACK SystemControl::Procedure(HWND window, UINT message,
                                          WPARAM wParam, LPARAM lParam) {
  const auto* control = reinterpret_cast<const SystemControl*>(
      GetWindowLongPtrW(window, GWLP_USERDATA));
  if (control == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_GETOBJECT) {
    if (const auto answer =
            AnswerForSystemControl(window, control->name_, wParam, lParam)) {
      return *answer;
    }
  }
  return CallWindowProcW(control->original_, window, message, wParam, lParam);
}

void SystemControl::Place(const platform::PixelRect& place, int dpi) {
  UniqueFont font = MakeFont(kLabelFont, dpi);
  if (font) {
    SendMessageW(window_.get(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(font.get()), FALSE);
    // The control has let go of the old font now.
    font_ = std::move(font);
  }
  SetWindowPos(window_.get(), nullptr, place.left, place.top,
               place.right - place.left, place.bottom - place.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window_.get(), nullptr, TRUE);
}

ControlNotice SystemControl::NoticeOf(WORD code) const {
  if (kind_ == platform::ControlKind::kListBox && code == LBN_SELCHANGE) {
    return ControlNotice::kSelectionChange;
  }
  return ControlNotice::kNone;
}

HBRUSH SystemControl::Colour(HDC dc) const {
  SetTextColor(dc, locked_ ? palette::kTextDim : palette::kFieldText);
  SetBkColor(dc, palette::kFieldFill);
  return field_ ? field_.get() : GetSysColorBrush(COLOR_WINDOW);
}

void SystemControl::AddItem(std::string_view utf8) {
  if (kind_ != platform::ControlKind::kListBox) return;
  const std::wstring text = WideFromUtf8(utf8);
  SendMessageW(window_.get(), LB_ADDSTRING, 0,
               reinterpret_cast<LPARAM>(text.c_str()));
}

int SystemControl::Selected() const {
  if (kind_ != platform::ControlKind::kListBox) return -1;
  const LRESULT index = SendMessageW(window_.get(), LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

}  // namespace tavrin::win32

namespace tavrin::win32 {

void SystemControl::SetText(std::string_view utf8) {
  if (!IsTextBox()) return;
  SetWindowTextW(window_.get(), WideFromUtf8(utf8).c_str());
}

std::string SystemControl::Text() const {
  if (!IsTextBox()) return {};
  return Utf8FromWide(WideWindowText(window_.get()));
}

void SystemControl::SetLocked(bool locked) {
  if (!IsTextBox()) return;
  locked_ = locked;
  SendMessageW(window_.get(), EM_SETREADONLY, locked ? TRUE : FALSE, 0);
  InvalidateRect(window_.get(), nullptr, TRUE);
}

}  // namespace tavrin::win32
