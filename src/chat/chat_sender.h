#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/foreign_windows.h"

namespace tavrin::chat {

// The program's way of posting lines: ChatSend, with two waits a client's
// brief stall calls for, so that the stall loses no line.
//
// A client that let a send time out is given up for a while (the hung-peer
// back-off): lines sent meanwhile wait, in order, and go out once it
// answers again. And a line whose text the client did not answer in time
// is seen out: a client that had already taken the text when the wait ran
// out puts it into its entry box when it gets to it; one that had not,
// never does. So the entry box is watched until the client answers again:
// if it then holds the line, the line gets its Enter; if it is empty and
// the text was never answered, the line is sent again; anything else there
// (the user's own typing) is left alone. Lines behind it wait for it.
//
// Both waits are bounded: a line that could not go out within kPatience is
// let go. Each line is posted at most once.
class ChatSender {
 public:
  static constexpr platform::Milliseconds kWatchInterval{100};
  static constexpr platform::Milliseconds kPatience{30000};

  // What became of a line.
  enum class Outcome {
    kPosted,  // the client took the text and its Enter
    kNoRoom,  // no room was open: the line was dropped
    kLost,    // the client stayed away too long, or never took the text
  };
  using OnDone = std::function<void(Outcome)>;

  ChatSender(platform::ForeignWindows& windows, const platform::Clock& clock,
             platform::Timers& timers);

  // Posts the line after those still waiting; `onDone` is told how it
  // fared, at once or once it went out. Pumps, as ChatSend does.
  void Send(std::string_view text, OnDone onDone = {});

  bool Watching() const { return late_.has_value(); }
  std::size_t WaitingLines() const { return waiting_.size(); }

 private:
  struct Line {
    std::string text;
    platform::Milliseconds since;
    OnDone onDone;
  };
  struct LateLine {
    platform::WindowHandle entry;
    Line line;
    bool textAnswered;  // only its Enter was late
    platform::Milliseconds watchedSince;
  };

  // Posts what waits, in order, until a line must wait for the client.
  void Flush();
  // Posts one line; false when the client is backed off and it must wait.
  bool Post(Line& line);
  // Gives the late line its Enter once its client answers and its box
  // holds it; forgets it once the client answered or stayed away too long.
  void SeeOutLateLine();
  // The timer runs while a line waits or is watched.
  void KeepTimer();

  platform::ForeignWindows& windows_;
  const platform::Clock& clock_;
  platform::Timers& timers_;
  std::deque<Line> waiting_;
  std::optional<LateLine> late_;
  bool flushing_ = false;
  std::unique_ptr<platform::Timer> retry_;
};

}  // namespace tavrin::chat
