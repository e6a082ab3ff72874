// The system's own controls on a form (a list box, text boxes): made as child windows
// at their places, lettered and coloured by the skin, reporting their
// notifications as the form's events, and holding the keyboard while the
// form is active.
#include "win32/win32_form_window.h"

namespace tavrin::win32 {
namespace {

// A system control's child-window id: its control index, offset so that no
// id is 0.
constexpr int kFirstControlId = 100;

}  // namespace

void Win32FormWindow::CreateSystemControls() {
  const auto& controls = model_.Controls();
  systemControls_.resize(controls.size());
  for (std::size_t i = 0; i < controls.size(); ++i) {
    systemControls_[i] = SystemControl::Create(
        window_.get(), controls[i].design,
        kFirstControlId + static_cast<int>(i));
    if (systemControls_[i]) systemControls_[i]->SetText(controls[i].text);
  }
}

void Win32FormWindow::PlaceSystemControls() {
  for (std::size_t i = 0; i < systemControls_.size(); ++i) {
    if (systemControls_[i]) {
      systemControls_[i]->Place(model_.Controls()[i].rect, model_.Dpi());
    }
  }
}

SystemControl* Win32FormWindow::SystemControlOf(
    std::string_view control) const {
  const auto index = model_.IndexOf(control);
  return index ? systemControls_[*index].get() : nullptr;
}

Win32FormWindow::Target Win32FormWindow::SystemControlIndex(HWND child) const {
  if (child == nullptr) return {};
  for (std::size_t i = 0; i < systemControls_.size(); ++i) {
    if (systemControls_[i] && systemControls_[i]->Window() == child) return i;
  }
  return {};
}

void Win32FormWindow::AddListItem(std::string_view control,
                                  std::string_view text) {
  if (SystemControl* list = SystemControlOf(control)) list->AddItem(text);
}

int Win32FormWindow::ListIndex(std::string_view control) const {
  const SystemControl* list = SystemControlOf(control);
  return list ? list->Selected() : -1;
}

void Win32FormWindow::SetLocked(std::string_view control, bool locked) {
  if (SystemControl* box = SystemControlOf(control)) box->SetLocked(locked);
}

void Win32FormWindow::Focus(std::string_view control) {
  const auto index = model_.IndexOf(control);
  SystemControl* target = SystemControlOf(control);
  if (!index || target == nullptr) return;
  const Target before = keys_.Focused();
  keys_.FocusOn(*index);
  Invalidate(before);
  SetFocus(target->Window());
}

std::optional<LRESULT> Win32FormWindow::HandleControlMessage(UINT message,
                                                             WPARAM wParam,
                                                             LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam == 0) return std::nullopt;  // a menu or an accelerator
      ControlCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      return 0;
    // A read-only text box asks as a static control does.
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      const Target index = SystemControlIndex(reinterpret_cast<HWND>(lParam));
      if (!index) return std::nullopt;
      return reinterpret_cast<LRESULT>(
          systemControls_[*index]->Colour(reinterpret_cast<HDC>(wParam)));
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        FollowSystemFocus();
        Invalidate(keys_.Focused());
        return std::nullopt;
      }
      // Not while minimised: the default handling keeps the keyboard off.
      if (HIWORD(wParam) != 0) return std::nullopt;
      return PassFocus() ? std::optional<LRESULT>(0) : std::nullopt;
    case WM_SETFOCUS:
      return PassFocus() ? std::optional<LRESULT>(0) : std::nullopt;
    default: return std::nullopt;
  }
}

// The handler may unload the form: nothing is touched after it.
void Win32FormWindow::ControlCommand(HWND child, WORD code) {
  const Target index = SystemControlIndex(child);
  if (!index) return;
  switch (systemControls_[*index]->NoticeOf(code)) {
    case ControlNotice::kSelectionChange:
      events_.OnSelectionChange(NameOf(index));
      return;
    case ControlNotice::kNone: return;
  }
}

bool Win32FormWindow::PassFocus() {
  if (!keys_.Focused()) {
    for (const std::size_t index : keys_.Order()) {
      if (!systemControls_[index]) continue;
      keys_.FocusOn(index);
      break;
    }
  }
  const Target focused = keys_.Focused();
  Invalidate(focused);
  SystemControl* box = focused ? systemControls_[*focused].get() : nullptr;
  if (box == nullptr) return false;
  SetFocus(box->Window());
  return true;
}

void Win32FormWindow::FollowSystemFocus() {
  if (const Target index = SystemControlIndex(GetFocus())) {
    keys_.FocusOn(*index);
  }
}

}  // namespace tavrin::win32
