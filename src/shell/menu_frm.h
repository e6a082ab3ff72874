#pragma once

#include <string_view>

#include "platform/forms.h"

namespace tavrin::shell {

// The hidden holder of the tray's menus and of the transport strip's two
// faces: the play face, shown while the player is taken not to be playing,
// and the pause face, shown while it is taken to be playing.
struct MenuFRM {
  static constexpr std::string_view kCaption = "Menu Form";
  platform::Picture PlayMenu = platform::Picture::kPlayFace;
  platform::Picture PauseMenu = platform::Picture::kPauseFace;
};

}  // namespace tavrin::shell
