#include "commands/waiting_commands.h"

#include <utility>

namespace tavrin::commands {

void WaitingCommands::Add(std::string speaker, ChatCommand command) {
  lines_.push_back({std::move(speaker), command, clock_.Now()});
}

std::optional<WaitingCommands::Line> WaitingCommands::TakeFirst() {
  while (!lines_.empty()) {
    Line line = std::move(lines_.front());
    lines_.pop_front();
    if (clock_.Now() - line.since < kPatience) return line;
  }
  return std::nullopt;
}

void WaitingCommands::PutBack(Line line) {
  lines_.push_front(std::move(line));
}

void WaitingCommands::KeepTimer() {
  if (!lines_.empty()) {
    if (!timer_) {
      timer_ = timers_.Start(kRetryInterval, [this] {
        if (retry_) retry_();
      });
    }
    return;
  }
  // Stopped last: this may run inside the timer's own tick.
  timer_.reset();
}

}  // namespace tavrin::commands
