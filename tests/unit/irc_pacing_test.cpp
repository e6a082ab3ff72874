#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "irc/reconnect_delay.h"
#include "irc/send_queue.h"

namespace tavrin::irc {
namespace {

using platform::Milliseconds;

// Takes what may leave at each step of `step` up to `until`; each line with
// the time it left.
std::vector<std::pair<Milliseconds, std::string>> Drain(SendQueue& queue, Milliseconds until,
                                                        Milliseconds step) {
  std::vector<std::pair<Milliseconds, std::string>> left;
  for (Milliseconds now{0}; now <= until; now += step) {
    while (auto line = queue.Take(now)) left.emplace_back(now, *line);
  }
  return left;
}

TEST(SendQueue, ABurstGoesAtOnceThenOneLinePerIntervalInOrder) {
  SendQueue queue;
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(queue.Push("line " + std::to_string(i)));
  const auto left = Drain(queue, Milliseconds(60000), Milliseconds(100));
  ASSERT_EQ(left.size(), 20u);
  for (std::size_t i = 0; i < left.size(); ++i) {
    EXPECT_EQ(left[i].second, "line " + std::to_string(i));
    const auto due = i < SendQueue::kBurst
                         ? Milliseconds(0)
                         : SendQueue::kInterval * static_cast<int>(i - SendQueue::kBurst + 1);
    EXPECT_EQ(left[i].first, due) << i;
  }
}

TEST(SendQueue, AnUrgentLineOvertakesQueuedChatLines) {
  SendQueue queue;
  for (int i = 0; i < 8; ++i) queue.Push("PRIVMSG #a :" + std::to_string(i));
  while (queue.Take(Milliseconds(0))) {
  }
  queue.PushUrgent("PONG :1");
  queue.PushUrgent("PONG :2");
  EXPECT_EQ(queue.NextDue(), SendQueue::kInterval);
  EXPECT_EQ(queue.Take(SendQueue::kInterval), "PONG :1");
  EXPECT_EQ(queue.Take(SendQueue::kInterval * 2), "PONG :2");
  EXPECT_EQ(queue.Take(SendQueue::kInterval * 3), "PRIVMSG #a :5");
}

TEST(SendQueue, ALineGoesAtOnceOnceTheBucketHasRefilled) {
  SendQueue queue;
  for (int i = 0; i < 10; ++i) queue.Push("x");
  Drain(queue, Milliseconds(20000), Milliseconds(100));
  const Milliseconds later = Milliseconds(20000) + SendQueue::kInterval * 5;
  queue.Push("reply");
  EXPECT_EQ(queue.Take(later), "reply");
}

TEST(SendQueue, RefusesLinesPastItsBound) {
  SendQueue queue;
  for (std::size_t i = 0; i < SendQueue::kMaxQueued; ++i) ASSERT_TRUE(queue.Push("x"));
  EXPECT_FALSE(queue.Push("one too many"));
  EXPECT_EQ(queue.Size(), SendQueue::kMaxQueued);
}

TEST(ReconnectDelay, DoublesFromTwoSecondsToFiveMinutes) {
  ReconnectDelay delay;
  std::vector<long long> seconds;
  for (int i = 0; i < 10; ++i) seconds.push_back(delay.AfterDrop(Milliseconds(0)).count() / 1000);
  EXPECT_EQ(seconds, (std::vector<long long>{2, 4, 8, 16, 32, 64, 128, 256, 300, 300}));
}

TEST(ReconnectDelay, StartsAgainOnlyAfterAMinuteSignedOn) {
  ReconnectDelay delay;
  delay.AfterDrop(Milliseconds(0));
  delay.AfterDrop(Milliseconds(0));
  delay.SignedOn(Milliseconds(1000));
  EXPECT_EQ(delay.AfterDrop(Milliseconds(30000)), Milliseconds(8000)) << "dropped at once";
  delay.SignedOn(Milliseconds(100000));
  EXPECT_EQ(delay.AfterDrop(Milliseconds(160000)), ReconnectDelay::kFirst);
}

}  // namespace
}  // namespace tavrin::irc
