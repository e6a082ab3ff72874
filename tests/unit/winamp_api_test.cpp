#include <gtest/gtest.h>

#include <optional>

#include "platform/hung_peer_guard.h"
#include "player/winamp_api.h"
#include "sim_world.h"

namespace tavrin::player {
namespace {

using testing::SimWorld;

class WinampApi : public ::testing::Test {
 protected:
  SimWorld world;
  ForeignWindows& windows = world.windows;
};

TEST_F(WinampApi, AbsentPlayerReadsAsZeroAndEmptyAndTakesNoCommands) {
  EXPECT_EQ(FindWinamp(windows), platform::kNoWindow);
  EXPECT_EQ(GetBitRate(windows), 0);
  EXPECT_EQ(GetElapsedSeconds(windows), 0);
  EXPECT_EQ(GetLengthSeconds(windows), 0);
  EXPECT_EQ(GetPlayState(windows), kStopped);
  EXPECT_EQ(GetSongName(windows), "");
  EXPECT_EQ(FormatElapsed(windows), "");
  EXPECT_EQ(FormatRemaining(windows), "");
  EXPECT_EQ(FormatLength(windows), "");
  WinampPlay(windows);
  WinampNext(windows);
  EXPECT_EQ(world.desktop.PendingPosts(), 0u);
}

TEST_F(WinampApi, ReadsThePlayingSongFromThePlayer) {
  auto& player = world.StartPlayer();
  ASSERT_TRUE(player.Drive("play"));
  ASSERT_TRUE(player.Drive("seek 83000"));
  EXPECT_EQ(FindWinamp(windows), player.Window());
  EXPECT_EQ(GetSongName(windows), "Artist - Title");
  EXPECT_EQ(GetPlayState(windows), kPlaying);
  EXPECT_EQ(GetBitRate(windows), 128);
  EXPECT_EQ(GetElapsedSeconds(windows), 83);
  EXPECT_EQ(GetLengthSeconds(windows), 237);
  EXPECT_EQ(FormatElapsed(windows), "00:01:23");
  EXPECT_EQ(FormatRemaining(windows), "00:02:34");
  EXPECT_EQ(FormatLength(windows), "00:03:57");
  world.clock.Advance(platform::Milliseconds(2000));
  EXPECT_EQ(FormatElapsed(windows), "00:01:25") << "the position runs on";
}

TEST_F(WinampApi, SongNameReadTellsAPlayerThatDidNotAnswerFromAnAbsentOne) {
  EXPECT_EQ(ReadSongName(windows), "") << "absent";
  auto& player = world.StartPlayer();
  EXPECT_EQ(ReadSongName(windows), "Artist - Title");
  ASSERT_TRUE(player.Drive("hang 400"));
  EXPECT_EQ(ReadSongName(windows), std::nullopt) << "timed out";
  EXPECT_EQ(ReadSongName(windows), std::nullopt) << "backed off";
  EXPECT_EQ(GetSongName(windows), "") << "elsewhere it reads as absent";
  world.clock.Advance(platform::HungPeerGuard::kBackOff);
  EXPECT_EQ(ReadSongName(windows), "Artist - Title");
}

TEST_F(WinampApi, ElapsedSecondsRoundHalvesToEven) {
  auto& player = world.StartPlayer();
  ASSERT_TRUE(player.Drive("seek 2500"));
  EXPECT_EQ(GetElapsedSeconds(windows), 2);
  ASSERT_TRUE(player.Drive("seek 1500"));
  EXPECT_EQ(GetElapsedSeconds(windows), 2);
  ASSERT_TRUE(player.Drive("seek 1499"));
  EXPECT_EQ(GetElapsedSeconds(windows), 1);
}

TEST_F(WinampApi, LengthBelowElapsedGivesNegativeRemainingTime) {
  auto& player = world.StartPlayer();
  ASSERT_TRUE(player.Drive("add 10 96 Short One"));
  ASSERT_TRUE(player.Drive("select 4"));
  ASSERT_TRUE(player.Drive("seek 15000"));
  EXPECT_EQ(FormatRemaining(windows), "00:00:-05");
}

TEST_F(WinampApi, PlayStateOtherThanTheThreeKnownComesBackAsItCame) {
  world.desktop.Create(world.desktop.NewProcess(), kWinampClass, "odd", 0,
                       [](platform::WindowHandle, unsigned, std::uintptr_t,
                          std::intptr_t) -> std::intptr_t { return 7; });
  EXPECT_EQ(GetPlayState(windows), 7);
}

TEST_F(WinampApi, TransportOperationsPostTheirCommandIds) {
  auto& player = world.StartPlayer();
  WinampPrevious(windows);
  WinampPlay(windows);
  WinampPause(windows);
  WinampStop(windows);
  WinampNext(windows);
  EXPECT_TRUE(player.ReceivedCommands().empty()) << "posted, not sent";
  world.Pump();
  EXPECT_EQ(player.ReceivedCommands(),
            (std::vector<std::uintptr_t>{40044, 40045, 40046, 40047, 40048}));
}

TEST_F(WinampApi, HungPlayerCostsOneBoundedWaitAndReadsAsAbsent) {
  auto& player = world.StartPlayer();
  player.Drive("hang 60000");
  const auto before = world.clock.Now();
  EXPECT_EQ(GetSongName(windows), "");
  EXPECT_EQ(GetBitRate(windows), 0);
  EXPECT_EQ(GetPlayState(windows), kStopped);
  EXPECT_EQ(FormatElapsed(windows), "00:00:00");
  EXPECT_EQ(world.clock.Now() - before,
            platform::HungPeerGuard::kSendTimeout);
}

class StartWinampTest : public WinampApi {
 protected:
  static constexpr const char* kPath = R"(C:\Program Files\Stand In\player.exe)";
};

TEST_F(StartWinampTest, StartsThePathAsItStandsMinimised) {
  world.launcher.Install(kPath, [&] { world.StartPlayer(); });
  StartWinamp(windows, world.launcher, kPath);
  ASSERT_EQ(world.launcher.Launches().size(), 1u);
  EXPECT_EQ(world.launcher.Launches()[0].path, kPath);
  EXPECT_EQ(world.launcher.Launches()[0].show,
            platform::ShowCommand::kShowMinimized);
  world.Pump();
  EXPECT_EQ(world.player->ReceivedCommands(),
            std::vector<std::uintptr_t>{kPlayCommand})
      << "a stopped player is told to play once";
  EXPECT_EQ(GetPlayState(windows), kPlaying);
}

TEST_F(StartWinampTest, EmptyPathStartsNothing) {
  StartWinamp(windows, world.launcher, "");
  EXPECT_TRUE(world.launcher.Launches().empty());
}

TEST_F(StartWinampTest, PausedPlayerIsStartedAgainAndToldToPlayOnce) {
  auto& player = world.StartPlayer();
  player.Drive("play");
  player.Drive("pause");
  StartWinamp(windows, world.launcher, kPath);
  world.Pump();
  EXPECT_EQ(world.launcher.Launches().size(), 1u);
  EXPECT_EQ(player.ReceivedCommands(), std::vector<std::uintptr_t>{kPlayCommand});
}

TEST_F(StartWinampTest, PlayingPlayerIsLeftAlone) {
  auto& player = world.StartPlayer();
  player.Drive("play");
  StartWinamp(windows, world.launcher, kPath);
  world.Pump();
  EXPECT_TRUE(player.ReceivedCommands().empty());
}

}  // namespace
}  // namespace tavrin::player
