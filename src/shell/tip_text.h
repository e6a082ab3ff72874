#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Cutting the tray icon's tip to its fixed field without breaking a
// character in two.
namespace tavrin::shell {

// The first `limit` characters of a UTF-8 text.
std::string CutToCharacters(std::string_view utf8, std::size_t limit);

// The longest prefix of `ansi` that fits `limit` bytes without splitting a
// double-byte character; `isLeadByte` tells the first byte of one.
std::string CutAnsi(std::string_view ansi, std::size_t limit,
                    const std::function<bool(unsigned char)>& isLeadByte);

}  // namespace tavrin::shell
