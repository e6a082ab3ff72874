#pragma once

#include <functional>
#include <memory>

#include "platform/clock.h"

namespace tavrin::platform {

// A repeating timer whose pace may change, from inside its own tick too: a
// new pace starts it anew.
class PacedTimer {
 public:
  PacedTimer(Timers& timers, std::function<void()> onTick);

  // Starts it, or sets a new pace; the pace it has changes nothing.
  void Every(Milliseconds interval);
  bool Running() const { return timer_ != nullptr; }
  Milliseconds Interval() const { return interval_; }

 private:
  Timers& timers_;
  std::function<void()> onTick_;
  std::unique_ptr<Timer> timer_;
  Milliseconds interval_{0};
};

}  // namespace tavrin::platform
