#include "platform/hung_peer_guard.h"

#include <iterator>

namespace tavrin::platform {

bool HungPeerGuard::MayWait(PeerId peer) {
  if (timedOutAt_.empty()) return true;
  const auto found = timedOutAt_.find(peer);
  if (found == timedOutAt_.end()) return true;
  if (clock_.Now() - found->second < kBackOff) return false;
  timedOutAt_.erase(found);
  return true;
}

void HungPeerGuard::RecordTimeout(PeerId peer) {
  const Milliseconds now = clock_.Now();
  // Forget peers whose back-off has run out, so the table stays as small
  // as the number of peers that are hung right now.
  for (auto it = timedOutAt_.begin(); it != timedOutAt_.end();) {
    it = now - it->second >= kBackOff ? timedOutAt_.erase(it) : std::next(it);
  }
  timedOutAt_[peer] = now;
}

void HungPeerGuard::RecordAnswer(PeerId peer) {
  if (!timedOutAt_.empty()) timedOutAt_.erase(peer);
}

}  // namespace tavrin::platform
