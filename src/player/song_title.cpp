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

std::string CutSongName(std::string_view title) {
  std::string_view song = title;
  if (const auto suffix = title.find(kTitleSuffix);
      suffix != std::string_view::npos) {
    song = title.substr(0, suffix);
    song.remove_prefix(PlaylistNumberLength(song));
  }
  if (!song.empty() && song.back() == ' ') song.remove_suffix(1);
  return std::string(song);
}

}  // namespace tavrin::player
