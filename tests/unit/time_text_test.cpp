#include <gtest/gtest.h>

#include "player/time_text.h"

namespace tavrin::player {
namespace {

TEST(FormatTimeText, WritesHoursMinutesSecondsWithTwoDigitsEach) {
  EXPECT_EQ(FormatTimeText(0), "00:00:00");
  EXPECT_EQ(FormatTimeText(59), "00:00:59");
  EXPECT_EQ(FormatTimeText(187), "00:03:07");
  EXPECT_EQ(FormatTimeText(3725), "01:02:05");
  EXPECT_EQ(FormatTimeText(100 * 3600), "100:00:00");
}

TEST(FormatTimeText, NegativeTimesCarryTheSignInEachNonZeroPart) {
  EXPECT_EQ(FormatTimeText(-5), "00:00:-05");
  EXPECT_EQ(FormatTimeText(-125), "00:-02:-05");
  EXPECT_EQ(FormatTimeText(-3600), "-01:00:00");
}

TEST(FormatTimeText, ExtremeValuesDoNotOverflow) {
  EXPECT_EQ(FormatTimeText(2147483647LL), "596523:14:07");
  EXPECT_EQ(FormatTimeText(-2147483648LL - 2147483647LL),
            "-1193046:-28:-15");
}

TEST(RoundToSeconds, RoundsHalvesToTheEvenNeighbour) {
  EXPECT_EQ(RoundToSeconds(1500), 2);
  EXPECT_EQ(RoundToSeconds(2500), 2);
  EXPECT_EQ(RoundToSeconds(3500), 4);
  EXPECT_EQ(RoundToSeconds(499), 0);
  EXPECT_EQ(RoundToSeconds(1499), 1);
  EXPECT_EQ(RoundToSeconds(-1500), -2);
  EXPECT_EQ(RoundToSeconds(2147483647), 2147484);
}

}  // namespace
}  // namespace tavrin::player
