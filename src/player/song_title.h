#pragma once

#include <string>
#include <string_view>

namespace tavrin::player {

// The song name in the player's window title. The title reads
// "<n>. <song> - Winamp" when the player numbers its playlist and
// "<song> - Winamp" when it does not; the song is the text before the first
// " - Winamp", less a leading playlist number. A title without " - Winamp"
// is taken whole. Either way one trailing blank is dropped.
std::string CutSongName(std::string title);

}  // namespace tavrin::player
