#include "player/song_title.h"

#include <cstddef>
#include <optional>

namespace tavrin::player {
namespace {

constexpr std::string_view kTitleSuffix = " - Winamp";
// Where one turn of a scrolling title ends and the next begins.
constexpr std::string_view kTurnEnd = " - Winamp *** ";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of a leading "<digits>. " or 0 when the text has none.
std::size_t PlaylistNumberLength(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsDigit(text[i])) ++i;
  if (i == 0 || text.substr(i, 2) != ". ") return 0;
  return i + 2;
}

// The length of the shortest turn the title repeats whole, at least twice;
// 0 when it repeats none.
std::size_t TurnLength(std::string_view title) {
  const std::size_t size = title.size();
  for (std::size_t turn = 1; turn <= size / 2; ++turn) {
    if (size % turn == 0 &&
        title.substr(turn) == title.substr(0, size - turn)) {
      return turn;
    }
  }
  return 0;
}

// Which of two starts of a turn is taken: one at a playlist number first,
// then the least text. The choice depends only on the texts, so every
// rotation of a title picks the same start.
bool TakenBefore(std::string_view turn, std::string_view other) {
  const bool numbered = PlaylistNumberLength(turn) > 0;
  if (numbered != (PlaylistNumberLength(other) > 0)) return numbered;
  return turn < other;
}

// A scrolling title repeats its turn, "<n>. <song> - Winamp *** ", rotated
// by the scroll. The turn is un-rotated to start after a " - Winamp *** ";
// a song that holds that text itself gives the turn several such starts,
// and the one taken is the same at every rotation. Nothing when the title
// is no scrolling one.
std::optional<std::string_view> UnscrolledTitle(std::string_view title) {
  if (title.find(kTurnEnd) == std::string_view::npos) return std::nullopt;
  const std::size_t length = TurnLength(title);
  // The title holds the turn at least twice, so every rotation of it is a
  // piece of the title.
  std::optional<std::string_view> taken;
  for (std::size_t start = 0; start < length; ++start) {
    const std::string_view turn = title.substr(start, length);
    if (turn.ends_with(kTurnEnd) && (!taken || TakenBefore(turn, *taken))) {
      taken = turn;
    }
  }
  if (!taken) return std::nullopt;
  return taken->substr(0, length - kTurnEnd.size() + kTitleSuffix.size());
}

}  // namespace

// Cuts in place: the title's own storage becomes the song name's (a
// scrolling title's turn is copied out first).
std::string CutSongName(std::string title) {
  if (const auto unscrolled = UnscrolledTitle(title)) {
    title = std::string(*unscrolled);
  }
  if (const auto suffix = title.find(kTitleSuffix);
      suffix != std::string::npos) {
    title.resize(suffix);
    title.erase(0, PlaylistNumberLength(title));
  }
  if (!title.empty() && title.back() == ' ') title.pop_back();
  return title;
}

}  // namespace tavrin::player
