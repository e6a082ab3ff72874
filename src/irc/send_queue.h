#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

#include "platform/clock.h"

// Paces the lines sent to the server so that it never takes the client for
// a flood: a burst of a few lines goes at once, then one line per interval
// (a token bucket). ngircd 26 serves about three commands a second and
// holds back the rest, PONG included (IRC.md); a backlog kept here instead
// lets a PONG overtake the chat lines.
namespace tavrin::irc {

class SendQueue {
 public:
  static constexpr std::size_t kBurst = 5;
  static constexpr platform::Milliseconds kInterval{1500};
  // What a paste may queue; the rest is refused.
  static constexpr std::size_t kMaxQueued = 200;

  // Queues a line behind the others; false when the queue is full.
  bool Push(std::string line);
  // Queues a line ahead of every chat line (PONG), behind other urgent ones.
  void PushUrgent(std::string line);

  // The next line that may leave at `now`, taking its place in the bucket.
  std::optional<std::string> Take(platform::Milliseconds now);
  // When the next queued line may leave; nullopt when none is queued.
  std::optional<platform::Milliseconds> NextDue() const;

  bool Empty() const { return lines_.empty(); }
  std::size_t Size() const { return lines_.size(); }
  // Forgets the queued lines; the bucket stays as it was.
  void Clear();

 private:
  std::deque<std::string> lines_;
  std::size_t urgent_ = 0;  // the first lines that are urgent
  // The bucket as the time it will be full again: a line may leave while
  // that lies less than a burst's worth of intervals ahead.
  platform::Milliseconds full_{0};
};

}  // namespace tavrin::irc
