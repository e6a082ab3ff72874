#pragma once

#include <cstdint>
#include <string>

#include "platform/window_handle.h"

namespace tavrin::platform {

// The notification-area icon's record, in the fields of the first version
// of the shell's notify-icon structure.
struct IconRecord {
  // The first version's size in its 32-bit layout; a 64-bit adapter passes
  // the same version's size for its own layout.
  static constexpr std::uint32_t kFirstVersionSize = 88;
  static constexpr std::uint32_t kFlagMessage = 1;
  static constexpr std::uint32_t kFlagIcon = 2;
  static constexpr std::uint32_t kFlagTip = 4;
  // The tip field holds 64 characters with its terminating NUL.
  static constexpr std::size_t kTipField = 64;

  std::uint32_t size = 0;
  WindowHandle window = kNoWindow;
  std::uint32_t id = 0;
  std::uint32_t flags = 0;
  std::uint32_t callbackMessage = 0;
  std::uintptr_t icon = 0;
  std::string tip;  // UTF-8, at most kTipField - 1 characters
};

enum class TrayCommand : std::uint32_t { kAdd = 0, kDelete = 2 };

class Tray {
 public:
  virtual ~Tray() = default;
  // Shell_NotifyIcon with the record; false when the shell refused.
  virtual bool Notify(TrayCommand command, const IconRecord& record) = 0;
};

}  // namespace tavrin::platform
