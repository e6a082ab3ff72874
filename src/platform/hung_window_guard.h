#pragma once

#include <unordered_map>

#include "platform/clock.h"
#include "platform/window_handle.h"

namespace tavrin::platform {

// Keeps a hung peer from stalling the program. A send waits at most
// kSendTimeout; once a window has let that pass, further sends to it give up
// at once for kBackOff, after which one send may wait again. The refresh
// makes about ten sends a tick, so without the back-off a hung player would
// cost ten time-outs on every tick.
class HungWindowGuard {
 public:
  static constexpr Milliseconds kSendTimeout{150};
  static constexpr Milliseconds kBackOff{2000};

  explicit HungWindowGuard(const Clock& clock) : clock_(clock) {}

  // False while the window is backed off: the send must give up at once.
  bool MayWait(WindowHandle window);
  void RecordTimeout(WindowHandle window);
  void RecordAnswer(WindowHandle window);

 private:
  const Clock& clock_;
  std::unordered_map<WindowHandle, Milliseconds> timedOutAt_;
};

}  // namespace tavrin::platform
