#include <gtest/gtest.h>

#include "platform/hung_window_guard.h"
#include "sim/virtual_clock.h"

namespace tavrin::platform {
namespace {

TEST(HungWindowGuard, TimedOutWindowIsBackedOffThenProbedAgain) {
  sim::VirtualClock clock;
  HungWindowGuard guard(clock);
  EXPECT_TRUE(guard.MayWait(7));
  guard.RecordTimeout(7);
  EXPECT_FALSE(guard.MayWait(7));
  EXPECT_TRUE(guard.MayWait(8)) << "other windows are not affected";
  clock.Stall(HungWindowGuard::kBackOff - Milliseconds(1));
  EXPECT_FALSE(guard.MayWait(7));
  clock.Stall(Milliseconds(1));
  EXPECT_TRUE(guard.MayWait(7));
  EXPECT_TRUE(guard.MayWait(7));
}

TEST(HungWindowGuard, AnswerClearsTheBackOff) {
  sim::VirtualClock clock;
  HungWindowGuard guard(clock);
  guard.RecordTimeout(7);
  guard.RecordAnswer(7);
  EXPECT_TRUE(guard.MayWait(7));
}

}  // namespace
}  // namespace tavrin::platform
