#pragma once

#include <cstdint>
#include <string>

namespace tavrin::player {

// Whole seconds from a millisecond position: rounded to the nearest second,
// an exact half to the even neighbour (1500 ms and 2500 ms both give 2).
std::int32_t RoundToSeconds(std::int32_t milliseconds);

// "hh:mm:ss", each part at least two digits, the hours always written
// ("00:03:07", "100:00:00"). Negative parts keep their minus sign in front
// of their digits: -5 s is "00:00:-05".
std::string FormatTimeText(std::int64_t seconds);

}  // namespace tavrin::player
