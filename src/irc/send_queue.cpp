#include "irc/send_queue.h"

#include <algorithm>

namespace tavrin::irc {

bool SendQueue::Push(std::string line) {
  if (lines_.size() >= kMaxQueued) return false;
  lines_.push_back(std::move(line));
  return true;
}

void SendQueue::PushUrgent(std::string line) {
  // A server's PINGs are few; a full queue of them keeps the oldest.
  if (urgent_ >= kMaxQueued) return;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(urgent_), std::move(line));
  ++urgent_;
}

std::optional<std::string> SendQueue::Take(platform::Milliseconds now) {
  const auto due = NextDue();
  if (!due || *due > now) return std::nullopt;
  full_ = std::max(full_, now) + kInterval;
  std::string line = std::move(lines_.front());
  lines_.pop_front();
  if (urgent_ > 0) --urgent_;
  return line;
}

std::optional<platform::Milliseconds> SendQueue::NextDue() const {
  if (lines_.empty()) return std::nullopt;
  return full_ - kInterval * static_cast<int>(kBurst - 1);
}

void SendQueue::Clear() {
  lines_.clear();
  urgent_ = 0;
}

}  // namespace tavrin::irc
