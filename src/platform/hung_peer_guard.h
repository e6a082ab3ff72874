#pragma once

#include <cstdint>
#include <unordered_map>

#include "platform/clock.h"

namespace tavrin::platform {

// Who answers for a window: the thread (on Windows) or the process (in the
// sim) that owns it. A hung peer leaves every one of its windows unanswered.
using PeerId = std::uint64_t;

// Keeps a hung peer from stalling the program. A send waits at most
// kSendTimeout; once a peer has let that pass, further sends to any of its
// windows give up at once for kBackOff, after which one send may wait again.
// The refresh makes about ten sends a tick and a chat line three to three
// windows of one client, so without the back-off a hung player or chat
// client would cost a time-out for each of them.
class HungPeerGuard {
 public:
  static constexpr Milliseconds kSendTimeout{150};
  static constexpr Milliseconds kBackOff{2000};

  explicit HungPeerGuard(const Clock& clock) : clock_(clock) {}

  // False while the peer is backed off: the send must give up at once.
  bool MayWait(PeerId peer);
  void RecordTimeout(PeerId peer);
  void RecordAnswer(PeerId peer);

 private:
  const Clock& clock_;
  std::unordered_map<PeerId, Milliseconds> timedOutAt_;
};

}  // namespace tavrin::platform
