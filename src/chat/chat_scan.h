#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/foreign_windows.h"

namespace tavrin::chat {

// Watches the open chat room and raises one event per new line in it. The
// room's transcript holds one line per message, "<speaker>:<TAB><text>"
// ended by CR LF; a speaker holds no colon.
//
// Only lines added after the scan started, and since the room last changed,
// are raised, each once and in order. A transcript that got shorter (cleared
// or trimmed by the client) is taken as seen and followed from there; a line
// without its CR LF waits for the next poll. A poll that finds the length
// unchanged reads nothing more, so its cost does not grow with the room's
// history; every send is bounded, so an absent or hung room is simply
// polled again later.
class ChatScan {
 public:
  static constexpr platform::Milliseconds kPollInterval{50};

  using LineHandler =
      std::function<void(std::string_view speaker, std::string_view text)>;

  ChatScan(platform::ForeignWindows& windows, platform::Timers& timers);

  // Told of each new line. The handler may pump messages, and so run a
  // poll inside; a line is marked as seen before it is raised.
  void SetLineHandler(LineHandler handler);

  // The program's one start-up call: from now on the room is watched.
  void Start();
  bool Running() const { return poll_ != nullptr; }

  // One look at the room (what each tick of the scan does).
  void Poll();

 private:
  // Everything in the transcript now counts as seen.
  void TakeAllAsSeen(platform::WindowHandle room, std::size_t length,
                     std::string text);
  void RaiseCompleteLines();

  platform::ForeignWindows& windows_;
  platform::Timers& timers_;
  LineHandler onLine_;
  std::unique_ptr<platform::Timer> poll_;
  platform::WindowHandle room_ = platform::kNoWindow;
  std::size_t length_ = 0;  // the transcript's length at the last read
  std::string text_;        // the transcript at the last read
  std::size_t seen_ = 0;    // bytes of text_ raised or taken as seen
  // What was taken as seen ended inside a line: the rest of that line,
  // when it comes, is not a line of its own.
  bool inHistoryLine_ = false;
  std::uint64_t polls_ = 0;  // polls begun, nested ones included
};

}  // namespace tavrin::chat
