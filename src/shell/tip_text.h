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

// How many bytes a code page's character takes, told by its first byte.
using CharacterLength = std::function<std::size_t(unsigned char)>;

// A double-byte code page's: two from a lead byte, which `isLeadByte` tells.
CharacterLength DoubleByteLength(std::function<bool(unsigned char)> isLeadByte);
// UTF-8's, which Windows offers as the ANSI code page: a stray continuation
// byte or an invalid lead byte counts alone.
std::size_t Utf8CharacterLength(unsigned char byte);

// The longest prefix of `ansi` that fits `limit` bytes without splitting a
// character of its code page.
std::string CutAnsi(std::string_view ansi, std::size_t limit,
                    const CharacterLength& length);

}  // namespace tavrin::shell
