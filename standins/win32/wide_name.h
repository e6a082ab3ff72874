#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tavrin::standins::winhost {

// A plain-ASCII name as the wide, NUL-terminated text the window functions
// take, made at compile time, so that the stand-ins spell each peer name once.
template <std::size_t Length>
constexpr std::array<wchar_t, Length + 1> WideName(std::string_view ascii) {
  std::array<wchar_t, Length + 1> wide{};
  for (std::size_t i = 0; i < Length; ++i) {
    wide[i] = static_cast<wchar_t>(ascii[i]);
  }
  return wide;
}

}  // namespace tavrin::standins::winhost
