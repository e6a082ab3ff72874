// The auto advertiser: with the main window's switch on, every change of the
// song's name is posted once, by itself.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/hung_peer_guard.h"
#include "report/compiler_frm.h"
#include "shell/main_frm.h"
#include "shell/message_frm.h"
#include "forwarding_windows.h"
#include "shell_world.h"

namespace tavrin::shell {
namespace {

using platform::Milliseconds;
using testing::ShellWorld;

constexpr Milliseconds kTick = report::CompilerFRM::kAutoAdvInterval;

class AutoAdvertiser : public ::testing::Test {
 protected:
  AutoAdvertiser() {
    world.Settings({"Ascii=~~", "UseWAStatus=1", "UseSongName=1"});
    world.StartChat();
  }

  // The room's lines after the start-up line, without their CR LF.
  std::vector<std::string> Posted() {
    std::vector<std::string> lines;
    const std::string text = world.chat->Transcript(1);
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != text.npos;
         at = end + 2) {
      lines.push_back(text.substr(at, end - at));
    }
    if (!lines.empty()) lines.erase(lines.begin());
    return lines;
  }

  void CloseTheMessage() {
    world.Form("MessageFRM").Click("OKAY");
    world.clock.Advance(Milliseconds(500));
  }

  void SwitchOn() {
    world.Form("MainFRM").Click("AutoAdv");
    ASSERT_EQ(world.program.Main().AutoAdv(), settings::kChecked);
  }

  ShellWorld world;
};

TEST_F(AutoAdvertiser, SwitchedOnItRemembersTheSongAndPostsOnlyTheNextOne) {
  world.StartPlayer().Drive("play");
  world.StartToMainWindow();
  SwitchOn();
  EXPECT_FALSE(world.Form("MainFRM").IsVisible());
  ASSERT_TRUE(world.program.MessageLoaded());
  EXPECT_EQ(world.Form("MessageFRM").TextOf("TMP"), "MAIN");
  EXPECT_EQ(world.Form("MessageFRM").TextOf("Info"),
            MainFRM::kAutoAdvEnabledInfo);
  EXPECT_TRUE(world.Form("MainFRM").Topmost());
  EXPECT_EQ(world.StoredSetting("AutoAdv"), "1");
  world.clock.Advance(Milliseconds(2000));
  EXPECT_TRUE(Posted().empty()) << "the song playing is not advertised";
  CloseTheMessage();
  EXPECT_TRUE(world.Form("MainFRM").IsVisible()) << "back after the message";

  world.player->Drive("next");
  world.clock.Advance(kTick);
  EXPECT_EQ(Posted(), std::vector<std::string>{
                          "DemoUser:\t~~ Playing Song: Night Drive - Neon Harbour"});
  world.clock.Advance(Milliseconds(3000));
  EXPECT_EQ(Posted().size(), 1u) << "once";
}

TEST_F(AutoAdvertiser, OnlyAChangeOfTheNameCounts) {
  world.StartPlayer({{"Same - Name", 200, 128},
                     {"Other - Song", 200, 128},
                     {"Same - Name", 180, 64}})
      .Drive("play");
  world.StartToMainWindow();
  SwitchOn();
  world.player->Drive("pause");
  world.clock.Advance(kTick * 2);
  world.player->Drive("play");
  world.player->Drive("seek 0");
  world.clock.Advance(kTick * 2);
  world.player->Drive("select 3");  // the same name further on
  world.clock.Advance(kTick * 2);
  EXPECT_TRUE(Posted().empty());
  // Two changes within one tick: only the name seen at the tick is posted.
  world.player->Drive("select 2");
  world.player->Drive("select 1");
  world.clock.Advance(kTick * 2);
  EXPECT_TRUE(Posted().empty()) << "back at the remembered name";
  world.player->Drive("select 2");
  world.clock.Advance(Milliseconds(20));
  world.player->Drive("select 1");
  world.player->Drive("select 2");
  world.clock.Advance(kTick * 2);
  EXPECT_EQ(Posted(),
            std::vector<std::string>{"DemoUser:\t~~ Playing Song: Other - Song"});
}

TEST_F(AutoAdvertiser, PlayerClosingAndComingBackArePostedOnceEach) {
  world.StartPlayer().Drive("play");
  world.StartToMainWindow();
  SwitchOn();
  world.player->Drive("close");
  world.clock.Advance(kTick * 4);
  world.StartPlayer().Drive("play");
  world.clock.Advance(kTick * 4);
  EXPECT_EQ(Posted(), (std::vector<std::string>{
                          "DemoUser:\t~~ Stopped On Song: ",
                          "DemoUser:\t~~ Playing Song: Artist - Title"}));
}

// A player busy for a moment does not answer the title read in time; that
// read is unknown, not an empty name, and no line goes out for it.
TEST_F(AutoAdvertiser, APlayerTooBusyToAnswerIsNoChangeOfSong) {
  world.StartPlayer().Drive("play");
  world.StartToMainWindow();
  SwitchOn();
  CloseTheMessage();
  world.player->Drive("hang 400");
  world.clock.Advance(Milliseconds(3000));  // the stall, the back-off, answers
  EXPECT_TRUE(Posted().empty());
  world.player->Drive("next");
  world.clock.Advance(kTick * 4);
  EXPECT_EQ(Posted(), std::vector<std::string>{
                          "DemoUser:\t~~ Playing Song: Night Drive - Neon Harbour"});
}

// A title scrolling in the taskbar turns by a character a step: every step
// is the same song.
TEST_F(AutoAdvertiser, AScrollingTitleIsOneSong) {
  world.StartPlayer().Drive("play");
  world.StartToMainWindow();
  SwitchOn();
  CloseTheMessage();
  world.player->Drive("scroll 150");
  world.clock.Advance(Milliseconds(10000));  // two whole turns
  EXPECT_TRUE(Posted().empty());
  world.player->Drive("next");
  world.clock.Advance(Milliseconds(10000));
  EXPECT_EQ(Posted(), std::vector<std::string>{
                          "DemoUser:\t~~ Playing Song: Night Drive - Neon Harbour"});
}

TEST_F(AutoAdvertiser, SwitchedOffItStoresZeroAndPostsNothing) {
  world.StartPlayer().Drive("play");
  world.StartToMainWindow();
  SwitchOn();
  CloseTheMessage();
  world.Form("MainFRM").Click("AutoAdv");
  EXPECT_EQ(world.StoredSetting("AutoAdv"), "0");
  EXPECT_EQ(world.program.Save().AutoAdv, settings::kUnchecked);
  EXPECT_TRUE(world.Form("MainFRM").IsVisible());
  world.player->Drive("next");
  world.clock.Advance(kTick * 4);
  EXPECT_TRUE(Posted().empty());
}

TEST_F(AutoAdvertiser, StoredOnStartsQuietlyAndPostsTheNextSong) {
  world.Settings({"Ascii=~~", "UseSongName=1", "AutoAdv=1"});
  world.StartPlayer().Drive("play");
  world.StartToMainWindow();
  EXPECT_FALSE(world.program.MessageLoaded()) << "no message at start";
  EXPECT_TRUE(world.Form("MainFRM").IsVisible());
  EXPECT_EQ(world.Form("MainFRM").Check("AutoAdv"), 1);
  world.clock.Advance(Milliseconds(1000));
  EXPECT_TRUE(Posted().empty()) << "the song already playing";
  world.player->Drive("next");
  world.clock.Advance(kTick);
  EXPECT_EQ(Posted(), std::vector<std::string>{
                          "DemoUser:\t~~  Song: Night Drive - Neon Harbour"});
}

TEST_F(AutoAdvertiser, ASongChangedWhileNoRoomIsOpenIsNotPostedLater) {
  world.StartPlayer().Drive("play");
  world.StartToMainWindow();
  SwitchOn();
  world.clock.Advance(Milliseconds(2000));
  world.chat->Drive("close");
  world.player->Drive("next");
  world.clock.Advance(kTick * 2);
  world.StartChat();
  world.clock.Advance(kTick * 4);
  EXPECT_EQ(world.chat->Transcript(1), "");
  world.player->Drive("next");
  world.clock.Advance(kTick * 2);
  EXPECT_EQ(world.chat->Transcript(1),
            "DemoUser:\t~~ Playing Song: The Quiet Band - Paper Boats\r\n");
}

// The post's room search pumps: on a slow desktop the next ticks run inside
// it and see the name already remembered.
TEST_F(AutoAdvertiser, TicksInsideItsOwnPostSendNothingMore) {
  world.StartPlayer().Drive("play");
  world.StartToMainWindow();
  SwitchOn();
  world.clock.Advance(Milliseconds(2000));
  world.chat->Drive("decoys 100");
  world.windows.SetCallCost(Milliseconds(2));
  world.player->Drive("next");
  world.clock.Advance(Milliseconds(3000));
  EXPECT_EQ(Posted(), std::vector<std::string>{
                          "DemoUser:\t~~ Playing Song: Night Drive - Neon Harbour"});
}

// A tick with nothing new reads the song's name and nothing more.
TEST_F(AutoAdvertiser, ATickWithNoChangeReadsOnlyTheName) {
  world.StartPlayer().Drive("play");
  testing::CountingWindows counted{world.windows};
  report::CompilerFRM compiler(counted, world.clock,
                               [this]() -> const settings::SaveFRM& {
                                 return world.saved;
                               });
  compiler.RememberSong("Artist - Title");
  counted.calls = 0;
  EXPECT_FALSE(compiler.NewSongLine(settings::kChecked));
  EXPECT_EQ(counted.calls, 2) << "find the player, read its title";
  counted.calls = 0;
  EXPECT_FALSE(compiler.NewSongLine(settings::kGrayed));
  EXPECT_EQ(counted.calls, 0);
}

// A player that reports its title's changes is looked at when it reports
// one, and once a second in case; once a change went unreported, at every
// tick again.
TEST_F(AutoAdvertiser, AReportingPlayerIsReadWhenItReports) {
  using report::CompilerFRM;
  world.StartPlayer().Drive("play");
  world.player->Drive("reports on");
  testing::CountingWindows counted{world.windows};
  CompilerFRM compiler(counted, world.clock,
                       [this]() -> const settings::SaveFRM& {
                         return world.saved;
                       });
  compiler.RememberSong("Artist - Title");
  std::vector<std::string> songs;
  compiler.SetAutoAdvTick([&] {
    if (const auto line = compiler.NewSongLine(settings::kChecked)) {
      songs.push_back(line->song);
      compiler.SongLineDone(line->song, true);
    }
  });
  world.clock.Advance(kTick);
  world.player->Drive("next");
  world.clock.Advance(Milliseconds(0));
  EXPECT_EQ(songs, std::vector<std::string>{"Night Drive - Neon Harbour"});
  counted.calls = 0;
  world.clock.Advance(CompilerFRM::kAutoAdvInCaseInterval * 3);
  EXPECT_EQ(counted.calls, 3 * 2) << "a look in case: find, read the title";
  world.player->Drive("reports off");
  world.player->Drive("next");
  world.clock.Advance(CompilerFRM::kAutoAdvInCaseInterval);
  EXPECT_EQ(songs.size(), 2u);
  counted.calls = 0;
  world.clock.Advance(kTick * 3);
  EXPECT_EQ(counted.calls, 3 * 2);
}

// The chat client stalls: the song's line waits for it and goes out once;
// a line the client never took leaves the song to be advertised again.
TEST_F(AutoAdvertiser, SongIsAnnouncedOnceItsLineWentOut) {
  world.Settings({"Ascii=~~", "UseWAStatus=1", "UseSongName=1", "AutoAdv=1"});
  world.StartPlayer().Drive("play");
  world.StartToMainWindow();
  const std::string line = "DemoUser:\t~~ Playing Song: Night Drive - Neon Harbour";
  for (const char* stall : {"hang 400", "slow 400"}) {
    SCOPED_TRACE(stall);
    const std::size_t before = Posted().size();
    world.chat->Drive(stall);
    world.player->Drive("next");
    world.clock.Advance(kTick * 3);
    EXPECT_EQ(Posted().size(), before) << "the client is away";
    EXPECT_NE(world.program.Compiler().RememberedSong(),
              "Night Drive - Neon Harbour");
    world.clock.Advance(platform::HungPeerGuard::kBackOff + Milliseconds(500));
    ASSERT_EQ(Posted().size(), before + 1);
    EXPECT_EQ(Posted().back(), line);
    EXPECT_EQ(world.program.Compiler().RememberedSong(),
              "Night Drive - Neon Harbour");
    // Back to the first song, announced in its turn.
    world.player->Drive("prev");
    world.clock.Advance(Milliseconds(500));
  }
}

}  // namespace
}  // namespace tavrin::shell
