#pragma once

#include <string>

#include "platform/clock.h"
#include "platform/local_time.h"

namespace tavrin::sim {

// The wall clock of the sim: a day and time that tests set, moving on with
// the virtual clock. It writes fixed United States formats, "5:45:12 PM"
// and "12/7/2026", as a machine with those regional settings does.
class SimLocalTime final : public platform::LocalTime {
 public:
  explicit SimLocalTime(const platform::Clock& clock) : clock_(clock) {}

  // The wall clock reads this day and time now.
  void Set(int year, int month, int day, int hour, int minute, int second);

  std::string TimeOfDay() const override;
  std::string Today() const override;

 private:
  // Whole seconds since 1970-01-01 00:00 on the wall clock.
  long long SecondsNow() const;

  const platform::Clock& clock_;
  long long wallAtSet_ = 0;
  platform::Milliseconds clockAtSet_{0};
};

}  // namespace tavrin::sim
