#pragma once

#include <cstdint>

#include "platform/foreign_windows.h"
#include "player/winamp_api.h"

namespace tavrin::bench {

// The window lookups and messages one report refresh makes, in its order,
// with none of its other work: 17 lookups, the title (two messages) and
// eight queries. Returns a value made of the answers so that nothing can be
// left out.
inline std::intptr_t MakeBareRefreshMessages(platform::ForeignWindows& w) {
  const auto find = [&] { return w.FindTopLevel(player::kWinampClass); };
  const auto ask = [&](player::Query query) {
    return w.Send(find(), platform::msg::kUser, query.wParam, query.lParam);
  };
  std::intptr_t sum = static_cast<std::intptr_t>(w.GetText(find()).size());
  find();
  sum += ask(player::kBitRateQuery);
  find();
  find();
  sum += ask(player::kPositionMsQuery);  // elapsed
  find();
  find();
  sum += ask(player::kLengthSecondsQuery);  // remaining: length, then elapsed
  find();
  sum += ask(player::kPositionMsQuery);
  find();
  find();
  sum += ask(player::kLengthSecondsQuery);  // length
  for (int i = 0; i < 3; ++i) sum += ask(player::kPlayStateQuery);
  return sum;
}

}  // namespace tavrin::bench
