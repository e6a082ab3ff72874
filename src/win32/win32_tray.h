#pragma once

#include "platform/tray.h"

namespace tavrin::win32 {

// The notification-area icon through Shell_NotifyIconA, with the first
// version of the record: the same fields the program fills.
class Win32Tray final : public platform::Tray {
 public:
  bool Notify(platform::TrayCommand command,
              const platform::IconRecord& record) override;
};

}  // namespace tavrin::win32
