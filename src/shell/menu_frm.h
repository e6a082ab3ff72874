#pragma once

#include <array>
#include <string_view>

#include "platform/forms.h"

namespace tavrin::shell {

// The hidden holder of the tray's two menus and of the transport strip's
// two faces: the play face, shown while the player is taken not to be
// playing, and the pause face, shown while it is taken to be playing.
struct MenuFRM {
  static constexpr std::string_view kCaption = "Menu Form";

  // The left button's menu: the program's own functions.
  static constexpr std::array<platform::MenuItem, 8> MenuMNU = {{
      {"CommandsMNU", "Chat Commands"},
      {"OptionsMNU", "Options"},
      {"ln5", "-"},
      {"ExitMNU", "Exit"},
      {"AboutMNU", "About"},
      {"RestoreMNU", "Restore"},
      {"l0", "-"},
      {"ClsMnu", "Close Menu"},
  }};
  // The right button's menu: single song facts for the room, and the
  // player's transport.
  static constexpr std::array<platform::MenuItem, 14> AdvMenuMNU = {{
      {"AdvSongName", "Adv. Song Name"},
      {"AdvBitRate", "Adv. BitRate"},
      {"AdvEandR", "Adv. Elapsed/Remaining"},
      {"AdvTrackLen", "Adv. Track Length"},
      {"AdvWAStatus", "Adv. WinAmp Status"},
      {"ln3", "-"},
      {"PorPSong", "Play/Pause"},
      {"StopSong", "Stop Song"},
      {"PrevSong", "Previous Song"},
      {"NextSong", "Next Song"},
      {"ln1", "-"},
      {"FullSongADV", "Adv. Song"},
      {"ln2", "-"},
      {"ClsMnu2", "Close Menu"},
  }};

  platform::Picture PlayMenu = platform::Picture::kPlayFace;
  platform::Picture PauseMenu = platform::Picture::kPauseFace;
};

}  // namespace tavrin::shell
