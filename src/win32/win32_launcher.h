#pragma once

#include "platform/launcher.h"

namespace tavrin::win32 {

// The launcher port on Windows: CreateProcessW with the path as the
// application name, so that a path with blanks is never split.
class Win32Launcher final : public platform::Launcher {
 public:
  bool Start(std::string_view path, platform::ShowCommand show) override;
};

}  // namespace tavrin::win32
