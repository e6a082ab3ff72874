#include "sim/virtual_clock.h"

#include <algorithm>
#include <vector>

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

void VirtualClock::ScheduleInput(platform::Milliseconds when,
                                 std::function<void()> input) {
  Queue(Input{when, nextInput_++, std::move(input)});
}

void VirtualClock::ScheduleModalInput(platform::Milliseconds when,
                                      std::function<void()> input) {
  Queue(Input{when, nextInput_++, std::move(input), true});
}

void VirtualClock::Queue(Input input) {
  // Input arrives in time order; what is scheduled for the same moment
  // keeps the order it was scheduled in.
  const auto later = std::upper_bound(
      input_.begin(), input_.end(), input.when,
      [](platform::Milliseconds at, const Input& queued) { return at < queued.when; });
  input_.insert(later, std::move(input));
}

// The timer due first (earliest started first among equals), or 0. A timer
// whose tick is running is not due.
std::uint64_t VirtualClock::FirstDueBy(platform::Milliseconds limit) const {
  std::uint64_t first = 0;
  platform::Milliseconds firstDue = limit;
  for (const auto& [id, entry] : timers_) {
    if (entry.ticking) continue;
    if (entry.due < firstDue || (first == 0 && entry.due == firstDue)) {
      first = id;
      firstDue = entry.due;
    }
  }
  return first;
}

bool VirtualClock::InputDueBy(platform::Milliseconds limit) const {
  return !input_.empty() && input_.front().when <= limit;
}

void VirtualClock::HandleFirstInput() {
  Input input = std::move(input_.front());
  input_.pop_front();
  now_ = std::max(now_, input.when);
  input.handle();
}

void VirtualClock::Tick(std::uint64_t id) {
  Entry& entry = timers_.at(id);
  now_ = std::max(now_, entry.due);
  // Like WM_TIMER, ticks missed while the thread was blocked run only once.
  entry.due += entry.interval;
  if (entry.due <= now_) entry.due = now_ + entry.interval;
  entry.ticking = true;
  // Copied: the tick may stop its own timer.
  const auto onTick = entry.onTick;
  onTick();
  const auto still = timers_.find(id);
  if (still != timers_.end()) still->second.ticking = false;
}

void VirtualClock::Advance(platform::Milliseconds duration) {
  const platform::Milliseconds end = now_ + duration;
  for (;;) {
    const std::uint64_t timer = FirstDueBy(end);
    const bool inputFirst =
        InputDueBy(end) &&
        (timer == 0 || input_.front().when <= timers_.at(timer).due);
    if (inputFirst) {
      HandleFirstInput();
    } else if (timer != 0) {
      Tick(timer);
    } else {
      break;
    }
  }
  now_ = std::max(now_, end);
}

void VirtualClock::RunDue() {
  // Only what is there when the pump starts: input queued by a handler
  // waits for the next pump.
  std::uint64_t lastArrived = 0;
  for (const Input& input : input_) {
    if (input.when > now_) break;
    lastArrived = std::max(lastArrived, input.number);
  }
  while (InputDueBy(now_) && input_.front().number <= lastArrived) {
    if (input_.front().forModalLoop && InModalLoop()) {
      input_.pop_front();
      ++lostModalInput_;
      continue;
    }
    HandleFirstInput();
  }
  std::vector<std::uint64_t> due;
  for (const auto& [id, entry] : timers_) {
    if (!entry.ticking && entry.due <= now_) due.push_back(id);
  }
  for (const std::uint64_t id : due) {
    const auto found = timers_.find(id);
    if (found != timers_.end() && !found->second.ticking &&
        found->second.due <= now_) {
      Tick(id);
    }
  }
}

}  // namespace tavrin::sim
