#pragma once

#include <optional>

#include "platform/clock.h"

// How long to wait before connecting again after a drop: 2 s, doubling up
// to 5 min. A connection that stayed signed on for a minute counts as
// good, and the next drop starts again from 2 s; one that drops at once
// (a server that takes us and throws us out) keeps doubling.
namespace tavrin::irc {

class ReconnectDelay {
 public:
  static constexpr platform::Milliseconds kFirst{2000};
  static constexpr platform::Milliseconds kMost{300000};
  static constexpr platform::Milliseconds kGoodConnection{60000};

  void SignedOn(platform::Milliseconds now) { signedOnAt_ = now; }
  // The wait after a drop at `now`.
  platform::Milliseconds AfterDrop(platform::Milliseconds now);
  void Reset();

 private:
  platform::Milliseconds next_ = kFirst;
  std::optional<platform::Milliseconds> signedOnAt_;
};

}  // namespace tavrin::irc
