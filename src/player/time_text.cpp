#include "player/time_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace tavrin::player {
namespace {

void AppendTwoDigits(std::string& out, std::int64_t part) {
  if (part < 0) out.push_back('-');
  const std::uint64_t magnitude =
      part < 0 ? 0 - static_cast<std::uint64_t>(part)
               : static_cast<std::uint64_t>(part);
  if (magnitude < 10) out.push_back('0');
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
  out.append(digits, end);
}

}  // namespace

std::int32_t RoundToSeconds(std::int32_t milliseconds) {
  // nearbyint rounds halves to even under the default rounding mode.
  return static_cast<std::int32_t>(std::nearbyint(milliseconds / 1000.0));
}

std::string FormatTimeText(std::int64_t seconds) {
  // Integer division truncates toward zero, as the split must.
  const std::int64_t hours = seconds / 3600;
  const std::int64_t rest = seconds - hours * 3600;
  const std::int64_t minutes = rest / 60;
  std::string text;
  text.reserve(12);
  AppendTwoDigits(text, hours);
  text.push_back(':');
  AppendTwoDigits(text, minutes);
  text.push_back(':');
  AppendTwoDigits(text, rest - minutes * 60);
  return text;
}

}  // namespace tavrin::player
