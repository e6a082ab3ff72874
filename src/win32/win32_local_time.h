#pragma once

#include "platform/local_time.h"

namespace tavrin::win32 {

// The local time in the formats of the user's default locale (Control
// Panel's region settings), read anew on every call.
class Win32LocalTime final : public platform::LocalTime {
 public:
  std::string TimeOfDay() const override;
  std::string Today() const override;
};

}  // namespace tavrin::win32
