#include <gtest/gtest.h>

#include "platform/hung_peer_guard.h"
#include "sim/virtual_clock.h"

namespace tavrin::platform {
namespace {

TEST(HungPeerGuard, TimedOutPeerIsBackedOffThenProbedAgain) {
  sim::VirtualClock clock;
  HungPeerGuard guard(clock);
  EXPECT_TRUE(guard.MayWait(7));
  guard.RecordTimeout(7);
  EXPECT_FALSE(guard.MayWait(7));
  EXPECT_TRUE(guard.MayWait(8)) << "other peers are not affected";
  clock.Stall(HungPeerGuard::kBackOff - Milliseconds(1));
  EXPECT_FALSE(guard.MayWait(7));
  clock.Stall(Milliseconds(1));
  EXPECT_TRUE(guard.MayWait(7));
  EXPECT_TRUE(guard.MayWait(7));
}

TEST(HungPeerGuard, AnswerClearsTheBackOff) {
  sim::VirtualClock clock;
  HungPeerGuard guard(clock);
  guard.RecordTimeout(7);
  guard.RecordAnswer(7);
  EXPECT_TRUE(guard.MayWait(7));
}

}  // namespace
}  // namespace tavrin::platform
