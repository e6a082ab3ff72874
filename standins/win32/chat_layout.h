#pragma once

#include <cstddef>

#include "window_support.h"

// Where the stand-in chat client's windows sit, so that a screenshot shows
// every one of them and none reaches past the MDI client (no scroll bars).
namespace tavrin::standins::winhost {

inline constexpr Placement kFramePlace{440, 40, 800, 600};

Placement BuddyListPlace();
Placement WelcomePlace();
Placement RoomPlace(std::size_t number);  // rooms count from 1
Placement DecoyPlace(std::size_t index);  // decoys count from 0

// The children of a room, for its client size.
struct RoomLayout {
  Placement transcript;
  Placement people;
  Placement style;
  Placement label;
  Placement entry;
};
RoomLayout LayoutRoom(int width, int height);

// An instant-message window: a transcript over an entry box.
struct MessageLayout {
  Placement transcript;
  Placement entry;
};
MessageLayout LayoutMessageWindow(int width, int height);

// The whole client area but a margin.
Placement Inset(int width, int height, int margin);

}  // namespace tavrin::standins::winhost
