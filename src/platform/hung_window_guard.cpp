#include "platform/hung_window_guard.h"

#include <iterator>

namespace tavrin::platform {

bool HungWindowGuard::MayWait(WindowHandle window) {
  if (timedOutAt_.empty()) return true;
  const auto found = timedOutAt_.find(window);
  if (found == timedOutAt_.end()) return true;
  if (clock_.Now() - found->second < kBackOff) return false;
  timedOutAt_.erase(found);
  return true;
}

void HungWindowGuard::RecordTimeout(WindowHandle window) {
  const Milliseconds now = clock_.Now();
  // Forget windows whose back-off has run out, so the table stays as small
  // as the number of peers that are hung right now.
  for (auto it = timedOutAt_.begin(); it != timedOutAt_.end();) {
    it = now - it->second >= kBackOff ? timedOutAt_.erase(it) : std::next(it);
  }
  timedOutAt_[window] = now;
}

void HungWindowGuard::RecordAnswer(WindowHandle window) {
  if (!timedOutAt_.empty()) timedOutAt_.erase(window);
}

}  // namespace tavrin::platform
