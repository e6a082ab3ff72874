#pragma once

#include <string>

namespace tavrin::platform {

// The machine's wall clock, as the user reads it: texts in the user's
// regional formats, with no formatting of the program's own.
class LocalTime {
 public:
  virtual ~LocalTime() = default;
  // The time of day in the regional time format, e.g. "5:45:12 PM".
  virtual std::string TimeOfDay() const = 0;
  // Today's date in the regional short date format, e.g. "12/7/2026".
  virtual std::string Today() const = 0;
};

}  // namespace tavrin::platform
