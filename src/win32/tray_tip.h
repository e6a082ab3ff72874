#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tavrin::win32 {

// The longest prefix of `ansi` that fits `limit` bytes without splitting a
// double-byte character; `isLeadByte` tells the first byte of one.
std::string CutAnsi(std::string_view ansi, std::size_t limit,
                    const std::function<bool(unsigned char)>& isLeadByte);

// The tip in the ANSI code page, cut to fit the notify-icon record's tip
// field with its terminating NUL.
std::string AnsiTip(std::string_view utf8, std::size_t fieldSize);

}  // namespace tavrin::win32
