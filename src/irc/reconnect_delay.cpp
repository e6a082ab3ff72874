#include "irc/reconnect_delay.h"

#include <algorithm>

namespace tavrin::irc {

platform::Milliseconds ReconnectDelay::AfterDrop(platform::Milliseconds now) {
  if (signedOnAt_ && now - *signedOnAt_ >= kGoodConnection) next_ = kFirst;
  signedOnAt_.reset();
  const platform::Milliseconds wait = next_;
  next_ = std::min(next_ * 2, kMost);
  return wait;
}

void ReconnectDelay::Reset() {
  next_ = kFirst;
  signedOnAt_.reset();
}

}  // namespace tavrin::irc
