#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "platform/clock.h"

namespace tavrin::sim {

// The sim's time: it moves only when a test says so, and timers tick in time
// order as it moves. Like Windows, no timer ticks more often than every
// 10 ms, whatever interval it asks for.
class VirtualClock final : public platform::Clock, public platform::Timers {
 public:
  static constexpr platform::Milliseconds kMinimumInterval{10};

  VirtualClock() = default;
  VirtualClock(const VirtualClock&) = delete;
  VirtualClock& operator=(const VirtualClock&) = delete;

  platform::Milliseconds Now() const override { return now_; }
  std::unique_ptr<platform::Timer> Start(
      platform::Milliseconds interval, std::function<void()> onTick) override;

  // Moves time forward, running every tick that falls due on the way.
  void Advance(platform::Milliseconds duration);
  // Time passes while the program's thread is blocked: no tick runs now;
  // the ticks that fell due run at the next Advance.
  void Stall(platform::Milliseconds duration) { now_ += duration; }

  std::size_t RunningTimers() const { return timers_.size(); }

 private:
  struct Entry {
    platform::Milliseconds interval;
    platform::Milliseconds due;
    std::function<void()> onTick;
  };
  class TimerToken;

  std::uint64_t FirstDueBy(platform::Milliseconds limit) const;

  platform::Milliseconds now_{0};
  std::uint64_t nextId_ = 1;
  std::map<std::uint64_t, Entry> timers_;
};

}  // namespace tavrin::sim
