#include <gtest/gtest.h>

#include "sim_world.h"
#include "standins/chat_model.h"

namespace tavrin::standins {
namespace {

using platform::Milliseconds;
using testing::SimWorld;

TEST(StandinPlayer, CaptionShowsPlaylistNumberUnlessNumberingIsOff) {
  SimWorld world;
  auto& player = world.StartPlayer();
  EXPECT_EQ(world.desktop.TextOf(player.Window()), "1. Artist - Title - Winamp");
  ASSERT_TRUE(player.Drive("numbers off"));
  EXPECT_EQ(world.desktop.TextOf(player.Window()), "Artist - Title - Winamp");
  ASSERT_TRUE(player.Drive("clear"));
  EXPECT_EQ(world.desktop.TextOf(player.Window()), "Winamp");
}

TEST(StandinPlayer, ScrollingCaptionTurnsOneCharacterAStep) {
  SimWorld world;
  auto& player = world.StartPlayer({{"Café", 60, 128}});
  ASSERT_TRUE(player.Drive("scroll 150"));
  const auto caption = [&] { return player.Player().Caption(); };
  EXPECT_EQ(caption(), "1. Café - Winamp *** 1. Café - Winamp *** ");
  world.clock.Advance(Milliseconds(150 * 6));
  EXPECT_EQ(caption(), "é - Winamp *** 1. Café - Winamp *** 1. Caf");
  world.clock.Advance(Milliseconds(150));
  EXPECT_EQ(caption(), " - Winamp *** 1. Café - Winamp *** 1. Café")
      << "a character of two bytes is one step";
  world.clock.Advance(Milliseconds(150 * 14));
  EXPECT_EQ(caption(), "1. Café - Winamp *** 1. Café - Winamp *** ")
      << "a whole turn";
  ASSERT_TRUE(player.Drive("scroll off"));
  EXPECT_EQ(caption(), "1. Café - Winamp");
}

TEST(StandinPlayer, TransportCommandsMoveThroughThePlaylist) {
  SimWorld world;
  PlayerModel& model = world.StartPlayer().Player();
  EXPECT_TRUE(model.Command(40045));
  EXPECT_EQ(model.PlayState(), PlayerModel::kPlaying);
  EXPECT_TRUE(model.Command(40046));
  EXPECT_EQ(model.PlayState(), PlayerModel::kPaused);
  EXPECT_TRUE(model.Command(40045));
  EXPECT_EQ(model.PlayState(), PlayerModel::kPlaying) << "play resumes";
  EXPECT_TRUE(model.Command(40044));
  EXPECT_EQ(model.Current(), 2u) << "previous wraps to the last song";
  EXPECT_TRUE(model.Command(40048));
  EXPECT_EQ(model.Current(), 0u);
  EXPECT_TRUE(model.Command(40047));
  EXPECT_EQ(model.PlayState(), PlayerModel::kStopped);
  EXPECT_EQ(model.PositionMs(), 0);
  EXPECT_FALSE(model.Command(40049));
}

TEST(StandinPlayer, TrackEndMovesOnToTheNextSongAndTheTitleFollows) {
  SimWorld world;
  auto& player = world.StartPlayer();
  player.Drive("play");
  world.clock.Advance(Milliseconds(237'000 + 1'000));
  EXPECT_EQ(player.Player().Current(), 1u);
  EXPECT_EQ(player.Player().PositionMs(), 1000);
  EXPECT_EQ(world.desktop.TextOf(player.Window()),
            "2. Night Drive - Neon Harbour - Winamp");
}

TEST(StandinPlayer, StoppedPlayerReportsNoBitRate) {
  SimWorld world;
  PlayerModel& model = world.StartPlayer().Player();
  EXPECT_EQ(model.AnswerQuery(1, 126), 0);
  model.Command(40045);
  EXPECT_EQ(model.AnswerQuery(1, 126), 128);
  EXPECT_EQ(model.AnswerQuery(9, 9), 0);
}

TEST(StandinDriver, RejectsCommandsItDoesNotKnowOrCannotCarryOut) {
  SimWorld world;
  auto& player = world.StartPlayer();
  auto& chat = world.StartChat();
  for (const char* bad : {"", "dance", "select 0", "select 9", "seek x",
                          "add 10 128", "numbers maybe", "hang -1", "play now",
                          "scroll 0", "scroll fast"}) {
    EXPECT_FALSE(player.Drive(bad)) << bad;
  }
  for (const char* bad : {"say", "say 3 Bob hi", "say x Bob hi", "open",
                          "decoys many", "signon", "slow", "slow -5"}) {
    EXPECT_FALSE(chat.Drive(bad)) << bad;
  }
}

TEST(StandinChat, OthersLinesAndSignOnShowInTheClient) {
  SimWorld world;
  auto& chat = world.StartChat();
  ASSERT_TRUE(chat.Drive("say 1 Bob hello there"));
  EXPECT_EQ(chat.Transcript(1), "Bob:\thello there\r\n");
  ASSERT_TRUE(chat.Drive("signon Other Name"));
  const auto welcome = world.desktop.FindWindowEx(
      chat.Mdi(), world.desktop.FindWindowEx(chat.Mdi(), 0, "AOL Child"),
      "AOL Child");
  EXPECT_EQ(world.desktop.TextOf(welcome), "Welcome, Other Name!");
  world.desktop.SetTextOf(chat.EntryWindow(1), "mine");
  world.desktop.SendMessage(chat.EntryWindow(1), 0x0102, 13, 0);
  EXPECT_EQ(chat.Transcript(1), "Bob:\thello there\r\nOther Name:\tmine\r\n");
}

TEST(StandinChat, ClosedClientLeavesNoWindows) {
  SimWorld world;
  auto& chat = world.StartChat();
  ASSERT_TRUE(chat.Drive("close"));
  EXPECT_EQ(world.desktop.FindWindow("AOL Frame25"), platform::kNoWindow);
}

}  // namespace
}  // namespace tavrin::standins
