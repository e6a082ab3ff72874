#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace tavrin::platform {

using Milliseconds = std::chrono::milliseconds;

// Monotonic time since an arbitrary start.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual Milliseconds Now() const = 0;
};

// A running timer; destroying it stops it.
class Timer {
 public:
  virtual ~Timer() = default;
};

// Repeating timers, ticking on the user-interface thread. A tick handler must
// not throw. The platform may fire less often than asked (Windows never fires
// faster than every 10 ms).
class Timers {
 public:
  virtual ~Timers() = default;
  [[nodiscard]] virtual std::unique_ptr<Timer> Start(
      Milliseconds interval, std::function<void()> onTick) = 0;
};

}  // namespace tavrin::platform
