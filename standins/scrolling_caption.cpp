#include "standins/scrolling_caption.h"

namespace tavrin::standins {
namespace {

constexpr std::string_view kSeparator = " *** ";

// UTF-8: a character starts at every byte that does not continue one.
bool StartsCharacter(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

}  // namespace

std::string ScrolledCaption(std::string_view caption, std::size_t steps) {
  std::string turn(caption);
  turn += kSeparator;
  std::size_t characters = 0;
  for (const char byte : turn) characters += StartsCharacter(byte) ? 1 : 0;
  const std::size_t skip = steps % characters;
  std::size_t at = 0;
  for (std::size_t skipped = 0; skipped < skip;) {
    if (StartsCharacter(turn[++at])) ++skipped;
  }
  std::string shown = turn.substr(at) + turn.substr(0, at);
  return shown + shown;
}

}  // namespace tavrin::standins
