#include "player/time_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace tavrin::player {
namespace {

// Writes one part with at least two digits, its sign in front; returns the
// end of what it wrote.
char* WriteTwoDigits(char* out, char* limit, std::int64_t part) {
  if (part < 0) *out++ = '-';
  const std::uint64_t magnitude =
      part < 0 ? 0 - static_cast<std::uint64_t>(part)
               : static_cast<std::uint64_t>(part);
  if (magnitude < 100) {  // nearly always: write the two digits directly
    *out++ = static_cast<char>('0' + magnitude / 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
    return out;
  }
  return std::to_chars(out, limit, magnitude).ptr;
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
  // Three parts of at most a sign and 20 digits each, and two colons.
  char text[3 * 21 + 2];
  char* const limit = text + sizeof text;
  char* end = WriteTwoDigits(text, limit, hours);
  *end++ = ':';
  end = WriteTwoDigits(end, limit, minutes);
  *end++ = ':';
  end = WriteTwoDigits(end, limit, rest - minutes * 60);
  return std::string(text, end);
}

}  // namespace tavrin::player
