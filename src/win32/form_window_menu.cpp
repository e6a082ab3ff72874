// Popup menus of a form window: real Windows menus, following the rules of
// the notification area so that a menu never stays stuck open.
#include <string>

#include "win32/base/message_pump.h"
#include "win32/win32_form_window.h"
#include "win32/base/win32_text.h"

namespace tavrin::win32 {

std::string Win32FormWindow::PopupMenu(
    std::span<const platform::MenuItem> items) {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return {};
  // Command ids count from 1: TrackPopupMenuEx returns 0 for no choice.
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].caption == "-") {
      AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    } else {
      const std::wstring caption = WideFromUtf8(items[i].caption);
      AppendMenuW(menu.get(), MF_STRING, i + 1, caption.c_str());
    }
  }
  POINT at{};
  GetCursorPos(&at);
  const HWND owner = window_.get();
  // Without the foreground the menu would not close when the user clicks
  // elsewhere; the owner may be hidden in the tray, which is fine.
  SetForegroundWindow(owner);
  const auto alive = alive_;
  UINT chosen = 0;
  {
    const ModalLoopScope modal;
    chosen = static_cast<UINT>(TrackPopupMenuEx(
        menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x,
        at.y, owner, nullptr));
  }
  // The menu's loop ran other handlers; the form may be gone.
  if (!*alive) return {};
  // Lets the owner's queue move on, so the next popup opens at the first
  // click rather than the second.
  PostMessageW(owner, WM_NULL, 0, 0);
  if (chosen == 0 || chosen > items.size()) return {};
  return std::string(items[chosen - 1].name);
}

}  // namespace tavrin::win32
