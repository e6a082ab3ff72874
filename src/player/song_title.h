#pragma once

#include <string>
#include <string_view>

namespace tavrin::player {

// The song name in the player's window title. The title reads
// "<n>. <song> - Winamp" when the player numbers its playlist and
// "<song> - Winamp" when it does not; the song is the text before the first
// " - Winamp", less a leading playlist number. A title without " - Winamp"
// is taken whole. Either way one trailing blank is dropped.
//
// A player that scrolls its title shows "<n>. <song> - Winamp *** " twice
// or more over, rotated by a character or so at each step; the song is cut
// from that turn put back in order, the same at every step. A title is
// taken as scrolling only when it is whole repeats of such a turn.
std::string CutSongName(std::string title);

}  // namespace tavrin::player
