#include "shell/tip_text.h"

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

std::string CutAnsi(std::string_view ansi, std::size_t limit,
                    const std::function<bool(unsigned char)>& isLeadByte) {
  // Walked from the start: a trail byte can look like a lead byte.
  std::size_t kept = 0;
  while (kept < ansi.size()) {
    const bool pair = isLeadByte(static_cast<unsigned char>(ansi[kept])) &&
                      kept + 1 < ansi.size();
    const std::size_t next = kept + (pair ? 2 : 1);
    if (next > limit) break;
    kept = next;
  }
  return std::string(ansi.substr(0, kept));
}

}  // namespace tavrin::shell
