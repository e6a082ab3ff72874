#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/sim_desktop.h"
#include "sim/virtual_clock.h"

namespace tavrin::sim {
namespace {

using platform::kNoWindow;
using platform::Milliseconds;

class SimDesktopTest : public ::testing::Test {
 protected:
  VirtualClock clock;
  SimDesktop desktop{clock};
  SimDesktop::ProcessId process = desktop.NewProcess();
};

TEST_F(SimDesktopTest, ChildrenAreFoundInCreationOrderAfterAGivenChild) {
  const auto parent = desktop.Create(process, "Frame", "");
  const auto a = desktop.Create(process, "Kid", "a", parent);
  desktop.Create(process, "Other", "", parent);
  const auto b = desktop.Create(process, "Kid", "b", parent);
  EXPECT_EQ(desktop.FindWindowEx(parent, kNoWindow, "Kid"), a);
  EXPECT_EQ(desktop.FindWindowEx(parent, a, "Kid"), b);
  EXPECT_EQ(desktop.FindWindowEx(parent, b, "Kid"), kNoWindow);
  const auto first = desktop.Create(process, "Kid", "first", parent, {},
                                    SimDesktop::Place::kFirst);
  EXPECT_EQ(desktop.FindWindowEx(parent, kNoWindow, "Kid"), first);
}

TEST_F(SimDesktopTest, ParentZeroSearchesTheTopLevelWindowsOnly) {
  const auto frame = desktop.Create(process, "Frame", "");
  desktop.Create(process, "Kid", "", frame);
  EXPECT_EQ(desktop.FindWindowEx(kNoWindow, kNoWindow, "Frame"), frame);
  EXPECT_EQ(desktop.FindWindowEx(kNoWindow, kNoWindow, "Kid"), kNoWindow);
  EXPECT_EQ(desktop.FindWindow("Kid"), kNoWindow);
}

TEST_F(SimDesktopTest, SearchAfterAWindowThatIsNoChildFindsNothing) {
  const auto frame = desktop.Create(process, "Frame", "");
  const auto stranger = desktop.Create(process, "Kid", "");
  desktop.Create(process, "Kid", "", frame);
  EXPECT_EQ(desktop.FindWindowEx(frame, stranger, "Kid"), kNoWindow);
  EXPECT_EQ(desktop.FindWindowEx(12345, kNoWindow, "Kid"), kNoWindow);
}

TEST_F(SimDesktopTest, SendToNoWindowAnswersZeroAndPostsWaitForThePump) {
  int handled = 0;
  const auto window = desktop.Create(
      process, "W", "", 0,
      [&](platform::WindowHandle, unsigned, std::uintptr_t wParam,
          std::intptr_t) {
        ++handled;
        return static_cast<std::intptr_t>(wParam * 2);
      });
  EXPECT_EQ(desktop.SendMessage(kNoWindow, 1, 21, 0), 0);
  EXPECT_EQ(desktop.SendMessage(window, 1, 21, 0), 42);
  desktop.PostMessage(window, 1, 0, 0);
  desktop.PostMessage(kNoWindow, 1, 0, 0);
  EXPECT_EQ(handled, 1);
  desktop.PumpOnce();
  EXPECT_EQ(handled, 2);
}

TEST_F(SimDesktopTest, PostsToAHungProcessWaitUntilItAnswersAgain) {
  int handled = 0;
  const auto window = desktop.Create(
      process, "W", "", 0,
      [&](platform::WindowHandle, unsigned, std::uintptr_t, std::intptr_t) {
        ++handled;
        return std::intptr_t{0};
      });
  desktop.Hang(process, Milliseconds(500));
  EXPECT_EQ(desktop.HungFor(window), Milliseconds(500));
  desktop.PostMessage(window, 1, 0, 0);
  desktop.PumpOnce();
  EXPECT_EQ(handled, 0);
  clock.Advance(Milliseconds(500));
  desktop.PumpOnce();
  EXPECT_EQ(handled, 1);
}

TEST_F(SimDesktopTest, SlowProcessTakesOneMessageThenHangsOverIt) {
  const auto window = desktop.Create(process, "W", "");
  desktop.SlowDown(process, Milliseconds(300));
  EXPECT_EQ(desktop.HungFor(window), Milliseconds(0)) << "it takes the message";
  EXPECT_EQ(desktop.TakeHandlingTime(process), Milliseconds(300));
  EXPECT_EQ(desktop.HungFor(window), Milliseconds(300)) << "then is busy";
  EXPECT_EQ(desktop.TakeHandlingTime(process), Milliseconds(0)) << "used up";
}

TEST_F(SimDesktopTest, PumpRunsTheProgramsArrivedInputThenItsDueTimers) {
  std::vector<std::string> ran;
  auto timer = clock.Start(Milliseconds(10), [&] { ran.push_back("tick"); });
  clock.ScheduleInput(Milliseconds(5), [&] { ran.push_back("click"); });
  clock.ScheduleInput(Milliseconds(50), [&] { ran.push_back("later"); });
  clock.Stall(Milliseconds(10));
  desktop.PumpOnce();
  EXPECT_EQ(ran, (std::vector<std::string>{"click", "tick"}));
  desktop.PumpOnce();
  EXPECT_EQ(ran.size(), 2u) << "nothing more is due";
}

TEST_F(SimDesktopTest, DestroyTakesTheChildrenAlong) {
  const auto frame = desktop.Create(process, "Frame", "");
  const auto kid = desktop.Create(process, "Kid", "", frame);
  desktop.Destroy(frame);
  EXPECT_FALSE(desktop.Exists(kid));
  EXPECT_EQ(desktop.FindWindow("Frame"), kNoWindow);
}

TEST_F(SimDesktopTest, AnsiWindowsHoldOnlyWhatTheirCodePageCan) {
  const auto ansi = desktop.NewProcess(SimDesktop::Charset::kAnsi);
  const auto narrow = desktop.Create(ansi, "W", "naïve ☃ €");
  EXPECT_EQ(desktop.TextOf(narrow), "naïve ? €");
  desktop.SetTextOf(narrow, "Ｅｎｅｒｇｙ Москва");
  EXPECT_EQ(desktop.TextOf(narrow), "?????? ??????") << "no look-alikes";
  const auto wide = desktop.Create(process, "W", "naïve ☃ Москва 坂本");
  EXPECT_EQ(desktop.TextOf(wide), "naïve ☃ Москва 坂本");
}

TEST(VirtualClockTest, TimersTickInTimeOrderNoFasterThanTenMilliseconds) {
  VirtualClock clock;
  std::vector<std::string> ticks;
  auto fast = clock.Start(Milliseconds(1), [&] { ticks.push_back("fast"); });
  auto slow = clock.Start(Milliseconds(25), [&] { ticks.push_back("slow"); });
  clock.Advance(Milliseconds(30));
  EXPECT_EQ(ticks, (std::vector<std::string>{"fast", "fast", "slow", "fast"}));
  EXPECT_EQ(clock.Now(), Milliseconds(30));
}

TEST(VirtualClockTest, StallRunsNoTickAndMissedTicksRunOnce) {
  VirtualClock clock;
  int ticks = 0;
  auto timer = clock.Start(Milliseconds(10), [&] { ++ticks; });
  clock.Stall(Milliseconds(100));
  EXPECT_EQ(ticks, 0);
  clock.Advance(Milliseconds(0));
  EXPECT_EQ(ticks, 1);
  clock.Advance(Milliseconds(10));
  EXPECT_EQ(ticks, 2);
}

TEST(VirtualClockTest, InputGoesAheadOfATickDueAtTheSameTime) {
  VirtualClock clock;
  std::vector<std::string> ran;
  auto timer = clock.Start(Milliseconds(10), [&] { ran.push_back("tick"); });
  clock.ScheduleInput(Milliseconds(10), [&] { ran.push_back("second"); });
  clock.ScheduleInput(Milliseconds(10), [&] { ran.push_back("third"); });
  clock.ScheduleInput(Milliseconds(3), [&] { ran.push_back("first"); });
  clock.Advance(Milliseconds(10));
  EXPECT_EQ(ran, (std::vector<std::string>{"first", "second", "third", "tick"}));
}

TEST(VirtualClockTest, InputQueuedByAPumpedHandlerWaitsForTheNextPump) {
  VirtualClock clock;
  int handled = 0;
  clock.ScheduleInput(Milliseconds(0), [&] {
    ++handled;
    clock.ScheduleInput(clock.Now(), [&] { ++handled; });
  });
  clock.RunDue();
  EXPECT_EQ(handled, 1);
  clock.RunDue();
  EXPECT_EQ(handled, 2);
}

TEST(VirtualClockTest, TimerMayStopItselfFromItsOwnTick) {
  VirtualClock clock;
  int ticks = 0;
  std::unique_ptr<platform::Timer> timer;
  timer = clock.Start(Milliseconds(10), [&] {
    ++ticks;
    timer.reset();
  });
  clock.Advance(Milliseconds(100));
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(clock.RunningTimers(), 0u);
}

}  // namespace
}  // namespace tavrin::sim
