#pragma once

#include "platform/clock.h"

namespace tavrin::win32 {

// Milliseconds since the system started; never goes back.
class Win32Clock final : public platform::Clock {
 public:
  platform::Milliseconds Now() const override;
};

}  // namespace tavrin::win32
