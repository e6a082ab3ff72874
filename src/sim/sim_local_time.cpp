#include "sim/sim_local_time.h"

#include <chrono>

namespace tavrin::sim {
namespace {

using std::chrono::days;
using std::chrono::sys_days;

constexpr long long kSecondsPerDay = 24 * 60 * 60;

long long FloorDiv(long long value, long long divisor) {
  return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

}  // namespace

void SimLocalTime::Set(int year, int month, int day, int hour, int minute,
                       int second) {
  const sys_days date{std::chrono::year{year} / month / day};
  wallAtSet_ = date.time_since_epoch().count() * kSecondsPerDay +
               hour * 3600LL + minute * 60LL + second;
  clockAtSet_ = clock_.Now();
}

long long SimLocalTime::SecondsNow() const {
  const auto elapsed =
      std::chrono::duration_cast<std::chrono::seconds>(clock_.Now() - clockAtSet_);
  return wallAtSet_ + elapsed.count();
}

std::string SimLocalTime::TimeOfDay() const {
  const long long now = SecondsNow();
  const long long inDay = now - FloorDiv(now, kSecondsPerDay) * kSecondsPerDay;
  const int hour = static_cast<int>(inDay / 3600);
  const int minute = static_cast<int>(inDay / 60 % 60);
  const int second = static_cast<int>(inDay % 60);
  const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
  std::string text = std::to_string(hour12) + ":";
  if (minute < 10) text += '0';
  text += std::to_string(minute) + ":";
  if (second < 10) text += '0';
  text += std::to_string(second);
  text += hour < 12 ? " AM" : " PM";
  return text;
}

std::string SimLocalTime::Today() const {
  const std::chrono::year_month_day date{
      sys_days{days{FloorDiv(SecondsNow(), kSecondsPerDay)}}};
  return std::to_string(static_cast<unsigned>(date.month())) + "/" +
         std::to_string(static_cast<unsigned>(date.day())) + "/" +
         std::to_string(static_cast<int>(date.year()));
}

}  // namespace tavrin::sim
