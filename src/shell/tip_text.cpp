#include "shell/tip_text.h"

#include <algorithm>
#include <utility>

namespace tavrin::shell {

std::string CutToCharacters(std::string_view utf8, std::size_t limit) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    // Each character starts with a byte that is no continuation byte.
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80 &&
        characters++ == limit) {
      return std::string(utf8.substr(0, i));
    }
  }
  return std::string(utf8);
}

CharacterLength DoubleByteLength(
    std::function<bool(unsigned char)> isLeadByte) {
  return [isLeadByte = std::move(isLeadByte)](unsigned char byte) {
    return isLeadByte(byte) ? std::size_t{2} : std::size_t{1};
  };
}

std::size_t Utf8CharacterLength(unsigned char byte) {
  if (byte >= 0xC2 && byte <= 0xDF) return 2;
  if (byte >= 0xE0 && byte <= 0xEF) return 3;
  if (byte >= 0xF0 && byte <= 0xF4) return 4;
  return 1;
}

std::string CutAnsi(std::string_view ansi, std::size_t limit,
                    const CharacterLength& length) {
  // Walked from the start: a trail byte can look like a lead byte.
  std::size_t kept = 0;
  while (kept < ansi.size()) {
    // A character cut short by the text's end counts as what is left of it.
    const std::size_t next = std::min(
        ansi.size(),
        kept + std::max<std::size_t>(
                   1, length(static_cast<unsigned char>(ansi[kept]))));
    if (next > limit) break;
    kept = next;
  }
  return std::string(ansi.substr(0, kept));
}

}  // namespace tavrin::shell
