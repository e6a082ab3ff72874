#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/foreign_windows.h"

namespace tavrin::chat {

// The program's way of posting lines: ChatSend, and a line whose text the
// client did not answer in time is seen out. A client that had already
// taken the text when the wait ran out puts it into its entry box when it
// gets to it; one that had not, never does. So the entry box is watched
// until the client answers again: if it then holds the line, the line gets
// its Enter; anything else there (the user's own typing) is left alone.
class ChatSender {
 public:
  static constexpr platform::Milliseconds kWatchInterval{100};
  // A client that stays away this long is not waited for any more.
  static constexpr int kWatchTicks = 300;

  ChatSender(platform::ForeignWindows& windows, platform::Timers& timers);

  // Sees out a late line first, so that lines go out in order. Pumps, as
  // ChatSend does.
  void Send(std::string_view text);

  bool Watching() const { return late_.has_value(); }

 private:
  struct LateLine {
    platform::WindowHandle entry;
    std::string text;
    int ticksLeft;
  };

  // Gives the late line its Enter once its client answers and its box
  // holds it; forgets it once the client answered or stayed away too long.
  void SeeOutLateLine();

  platform::ForeignWindows& windows_;
  platform::Timers& timers_;
  std::optional<LateLine> late_;
  std::unique_ptr<platform::Timer> watch_;
};

}  // namespace tavrin::chat
