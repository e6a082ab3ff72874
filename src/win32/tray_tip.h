#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrin::win32 {

// The tip in the ANSI code page, cut to fit the notify-icon record's tip
// field with its terminating NUL.
std::string AnsiTip(std::string_view utf8, std::size_t fieldSize);

}  // namespace tavrin::win32
