#include "player/song_title.h"

#include <cstddef>

namespace tavrin::player {
namespace {

constexpr std::string_view kTitleSuffix = " - Winamp";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of a leading "<digits>. " or 0 when the text has none.
std::size_t PlaylistNumberLength(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsDigit(text[i])) ++i;
  if (i == 0 || text.substr(i, 2) != ". ") return 0;
  return i + 2;
}

}  // namespace

// Cuts in place: the title's own storage becomes the song name's.
std::string CutSongName(std::string title) {
  if (const auto suffix = title.find(kTitleSuffix);
      suffix != std::string::npos) {
    title.resize(suffix);
    title.erase(0, PlaylistNumberLength(title));
  }
  if (!title.empty() && title.back() == ' ') title.pop_back();
  return title;
}

}  // namespace tavrin::player
