#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "commands/chat_commands.h"
#include "platform/clock.h"

namespace tavrin::commands {

// Command lines not decided yet: whether their speaker is the user signed
// on here could not be read (the chat client did not answer). They wait, in
// order, and lines that come after them wait behind them, until the client
// answers; a line that waited kPatience is let go.
class WaitingCommands {
 public:
  static constexpr platform::Milliseconds kRetryInterval{100};
  static constexpr platform::Milliseconds kPatience{30000};

  struct Line {
    std::string speaker;
    ChatCommand command;
    platform::Milliseconds since;
  };

  WaitingCommands(const platform::Clock& clock, platform::Timers& timers)
      : clock_(clock), timers_(timers) {}

  // What to run, every kRetryInterval while lines wait.
  void SetRetry(std::function<void()> retry) { retry_ = std::move(retry); }

  void Add(std::string speaker, ChatCommand command);
  // The first line still in its time, or nothing; lines past it are let go.
  std::optional<Line> TakeFirst();
  // Puts back the line taken last, ahead of the others.
  void PutBack(Line line);
  bool Empty() const { return lines_.empty(); }

  // True while a round of deciding runs; a round begun inside another (a
  // reply's send pumps) leaves the lines to it.
  bool Deciding() const { return deciding_; }
  void SetDeciding(bool deciding) { deciding_ = deciding; }

  // Starts the retries while lines wait, and stops them once none does.
  void KeepTimer();

 private:
  const platform::Clock& clock_;
  platform::Timers& timers_;
  std::function<void()> retry_;
  std::deque<Line> lines_;
  bool deciding_ = false;
  std::unique_ptr<platform::Timer> timer_;
};

}  // namespace tavrin::commands
