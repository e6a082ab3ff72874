#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/tray.h"

namespace tavrin::shell {

// The program's one notification-area icon (id 1). Its record is filled by
// TrayAdd and handed back unchanged by TrayRemove.
class TrayIcon {
 public:
  static constexpr std::uint32_t kIconId = 1;
  // The shell reports mouse events on the icon with this message.
  static constexpr std::uint32_t kCallbackMessage = 0x200;

  explicit TrayIcon(platform::Tray& tray) : tray_(tray) {}

  // The tip keeps at most 63 characters, so its NUL fits the field.
  void TrayAdd(platform::WindowHandle window, std::string_view tip,
               std::uintptr_t icon);
  void TrayRemove();
  // The shell restarted and forgot its icons: show ours again if it was
  // shown.
  void ShellRestarted();

  const platform::IconRecord& Record() const { return record_; }
  // Between a TrayAdd and a TrayRemove.
  bool Shown() const { return shown_; }

 private:
  platform::Tray& tray_;
  platform::IconRecord record_;
  bool shown_ = false;
};

}  // namespace tavrin::shell
