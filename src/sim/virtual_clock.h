#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>

#include "platform/clock.h"

namespace tavrin::sim {

// The sim's time and the program thread's message loop: time moves only
// when a test says so, and the user's input and the timers' ticks are
// handled in time order as it moves. Like Windows, no timer ticks more often
// than every 10 ms, whatever interval it asks for; input goes ahead of a
// tick due at the same time, and a timer never ticks inside its own tick.
class VirtualClock final : public platform::Clock, public platform::Timers {
 public:
  static constexpr platform::Milliseconds kMinimumInterval{10};

  VirtualClock() = default;
  VirtualClock(const VirtualClock&) = delete;
  VirtualClock& operator=(const VirtualClock&) = delete;

  platform::Milliseconds Now() const override { return now_; }
  std::unique_ptr<platform::Timer> Start(
      platform::Milliseconds interval, std::function<void()> onTick) override;

  // The user's input (a click, a key) reaching the program's queue at
  // `when`; it is handled by the loop, or by a pump the program runs after
  // it arrived.
  void ScheduleInput(platform::Milliseconds when, std::function<void()> input);

  // Moves time forward, handling the input and ticks that fall due on the
  // way.
  void Advance(platform::Milliseconds duration);
  // Time passes while the program's thread is blocked: nothing runs now;
  // what fell due runs at the next Advance or pump.
  void Stall(platform::Milliseconds duration) { now_ += duration; }
  // One pass of a message pump inside a handler: the input that has arrived,
  // in order, then each due timer once, except one whose tick is running.
  // Input meant for a modal loop that is running is taken and lost, as
  // PeekMessage takes the click a menu's own loop waits for.
  void RunDue();

  // The program's own modal loops (a popup menu, the Open dialog): while
  // one runs, the input meant for it reaches it only through its own loop.
  void EnterModalLoop() { ++modalLoops_; }
  void LeaveModalLoop() { --modalLoops_; }
  bool InModalLoop() const { return modalLoops_ > 0; }
  // The user's click or key for the modal loop running at `when`.
  void ScheduleModalInput(platform::Milliseconds when,
                          std::function<void()> input);
  // Modal input that a pump took from its loop.
  int LostModalInput() const { return lostModalInput_; }

  std::size_t RunningTimers() const { return timers_.size(); }

 private:
  struct Entry {
    platform::Milliseconds interval;
    platform::Milliseconds due;
    std::function<void()> onTick;
    bool ticking = false;
  };
  struct Input {
    platform::Milliseconds when;
    std::uint64_t number;  // in order of scheduling
    std::function<void()> handle;
    bool forModalLoop = false;
  };
  class TimerToken;

  std::uint64_t FirstDueBy(platform::Milliseconds limit) const;
  bool InputDueBy(platform::Milliseconds limit) const;
  void HandleFirstInput();
  void Queue(Input input);
  void Tick(std::uint64_t id);

  platform::Milliseconds now_{0};
  std::uint64_t nextId_ = 1;
  std::uint64_t nextInput_ = 1;
  std::map<std::uint64_t, Entry> timers_;
  std::deque<Input> input_;  // in order of arrival
  int modalLoops_ = 0;
  int lostModalInput_ = 0;
};

}  // namespace tavrin::sim
