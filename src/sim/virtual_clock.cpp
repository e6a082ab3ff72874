#include "sim/virtual_clock.h"

#include <algorithm>

namespace tavrin::sim {

class VirtualClock::TimerToken final : public platform::Timer {
 public:
  TimerToken(VirtualClock& clock, std::uint64_t id) : clock_(clock), id_(id) {}
  ~TimerToken() override { clock_.timers_.erase(id_); }
  TimerToken(const TimerToken&) = delete;
  TimerToken& operator=(const TimerToken&) = delete;

 private:
  VirtualClock& clock_;
  std::uint64_t id_;
};

std::unique_ptr<platform::Timer> VirtualClock::Start(
    platform::Milliseconds interval, std::function<void()> onTick) {
  const auto step = std::max(interval, kMinimumInterval);
  const std::uint64_t id = nextId_++;
  timers_.emplace(id, Entry{step, now_ + step, std::move(onTick)});
  return std::make_unique<TimerToken>(*this, id);
}

// The timer due first (earliest started first among equals), or 0.
std::uint64_t VirtualClock::FirstDueBy(platform::Milliseconds limit) const {
  std::uint64_t first = 0;
  platform::Milliseconds firstDue = limit;
  for (const auto& [id, entry] : timers_) {
    if (entry.due < firstDue || (first == 0 && entry.due == firstDue)) {
      first = id;
      firstDue = entry.due;
    }
  }
  return first;
}

void VirtualClock::Advance(platform::Milliseconds duration) {
  const platform::Milliseconds end = now_ + duration;
  while (const std::uint64_t id = FirstDueBy(end)) {
    Entry& entry = timers_.at(id);
    now_ = std::max(now_, entry.due);
    // Like WM_TIMER, ticks missed while the thread was blocked run only once.
    entry.due += entry.interval;
    if (entry.due <= now_) entry.due = now_ + entry.interval;
    // Copied: the tick may stop its own timer.
    const auto onTick = entry.onTick;
    onTick();
  }
  now_ = std::max(now_, end);
}

}  // namespace tavrin::sim
