#include "platform/paced_timer.h"

#include <utility>

namespace tavrin::platform {

PacedTimer::PacedTimer(Timers& timers, std::function<void()> onTick)
    : timers_(timers), onTick_(std::move(onTick)) {}

void PacedTimer::Every(Milliseconds interval) {
  if (timer_ && interval == interval_) return;
  interval_ = interval;
  timer_ = timers_.Start(interval, [this] { onTick_(); });
}

}  // namespace tavrin::platform
