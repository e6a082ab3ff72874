#include <gtest/gtest.h>

#include "report/compiler_frm.h"
#include "forwarding_windows.h"
#include "sim_world.h"

namespace tavrin::report {
namespace {

using platform::Milliseconds;
using testing::SimWorld;

std::vector<standins::Song> SeventhIsTheExampleSong() {
  std::vector<standins::Song> songs(6, {"Filler - Song", 200, 96});
  songs.push_back({"Artist - Title", 237, 128});
  return songs;
}

class Compiler : public ::testing::Test {
 protected:
  Compiler() {
    world.saved.Ascii = "~~";
    AllToggles(settings::kChecked);
  }

  void AllToggles(settings::CheckValue value) {
    auto& s = world.saved;
    s.WAStatusCB = s.SongNameCB = s.BitRateCB = s.ElapRemCB = s.SongLenCB =
        value;
  }

  void PlayTheExampleSong() {
    world.player =
        std::make_unique<sim::SimPlayer>(world.desktop, SeventhIsTheExampleSong());
    world.player->Drive("select 7");
    world.player->Drive("play");
    world.player->Drive("seek 83000");
  }

  CompilerFRM& Compile() {
    compiler = std::make_unique<CompilerFRM>(
        counted, world.clock,
        [this]() -> const settings::SaveFRM& { return world.saved; });
    return *compiler;
  }

  SimWorld world;
  testing::CountingWindows counted{world.windows};
  std::unique_ptr<CompilerFRM> compiler;
};

TEST_F(Compiler, PlayingSongWithEveryToggleOn) {
  PlayTheExampleSong();
  EXPECT_EQ(Compile().Data,
            "~~ Playing Song: Artist - Title BitRate: 128 - "
            "Elapsed/Remaining: 00:01:23/00:02:34 - Length: 00:03:57");
  EXPECT_EQ(compiler->SongName, "Artist - Title");
  EXPECT_EQ(compiler->BitRate, "128");
  EXPECT_EQ(compiler->Elapsed, "00:01:23");
  EXPECT_EQ(compiler->Remaining, "00:02:34");
  EXPECT_EQ(compiler->TrackLength, "00:03:57");
  EXPECT_EQ(compiler->WAStatus, "Playing");
}

TEST_F(Compiler, PlayerNotRunningLeavesLabelsAroundEmptyFields) {
  EXPECT_EQ(Compile().Data,
            "~~ Stopped On Song:  BitRate: 0 - Elapsed/Remaining: / - Length: ");
}

TEST_F(Compiler, EveryToggleOffGivesTheDecorationAndOneBlank) {
  PlayTheExampleSong();
  AllToggles(settings::kUnchecked);
  EXPECT_EQ(Compile().Data, "~~ ");
  EXPECT_EQ(compiler->SongName, "Artist - Title") << "fields still refresh";
}

TEST_F(Compiler, StateOffPutsTwoBlanksBeforeTheSong) {
  PlayTheExampleSong();
  world.saved.WAStatusCB = settings::kUnchecked;
  EXPECT_EQ(Compile().Data.rfind("~~  Song: Artist - Title BitRate", 0), 0u)
      << compiler->Data;
}

TEST_F(Compiler, EmptyDecorationStartsWithABlank) {
  world.saved.Ascii = "";
  AllToggles(settings::kUnchecked);
  world.saved.WAStatusCB = settings::kChecked;
  EXPECT_EQ(Compile().Data, " Stopped On");
}

TEST_F(Compiler, GrayedToggleCountsAsOff) {
  PlayTheExampleSong();
  AllToggles(settings::kGrayed);
  world.saved.SongNameCB = settings::kChecked;
  EXPECT_EQ(Compile().Data, "~~  Song: Artist - Title");
}

// The decoration's switch is stored and shown but governs nothing: the
// decoration leads the line whatever the switch holds.
TEST_F(Compiler, DecorationSwitchChangesNothingWhateverItsValue) {
  PlayTheExampleSong();
  for (const std::string decoration : {"~~", ""}) {
    for (const settings::CheckValue value :
         {settings::kUnchecked, settings::kChecked, settings::kGrayed}) {
      world.saved.Ascii = decoration;
      world.saved.AsciiCB = value;
      EXPECT_EQ(Compile().Data,
                decoration +
                    " Playing Song: Artist - Title BitRate: 128 - "
                    "Elapsed/Remaining: 00:01:23/00:02:34 - Length: 00:03:57")
          << "'" << decoration << "', switch " << value;
    }
  }
}

TEST_F(Compiler, PausedPlayerReportsPausedOn) {
  PlayTheExampleSong();
  world.player->Drive("pause");
  EXPECT_EQ(Compile().WAStatus, "Paused On");
}

TEST_F(Compiler, UnknownPlayStateKeepsThePreviousStatus) {
  std::intptr_t state = 3;
  world.desktop.Create(world.desktop.NewProcess(), "Winamp v1.x",
                       "1. X - Winamp", 0,
                       [&](platform::WindowHandle, unsigned message,
                           std::uintptr_t wParam, std::intptr_t lParam) {
                         return message == 0x400 && wParam == 0 && lParam == 104
                                    ? state
                                    : 0;
                       });
  Compile();
  EXPECT_EQ(compiler->WAStatus, "Paused On");
  state = 5;
  compiler->RefreshReport();
  EXPECT_EQ(compiler->WAStatus, "Paused On");
  EXPECT_EQ(compiler->Data.rfind("~~ Paused On Song: X", 0), 0u);
}

TEST_F(Compiler, EveryRefreshFollowsThePlayerAndTheSettings) {
  PlayTheExampleSong();
  Compile();
  world.player->Drive("next");  // wraps to the first song
  world.saved.Ascii = "**";
  world.saved.BitRateCB = settings::kUnchecked;
  compiler->RefreshReport();
  EXPECT_EQ(compiler->SongName, "Filler - Song");
  EXPECT_EQ(compiler->Data.rfind("** Playing Song: Filler - Song Elapsed", 0), 0u)
      << compiler->Data;
}

// Nobody reads the report between lines, so nothing rebuilds it on a timer:
// an idle program asks the player nothing while auto-advertise is off.
TEST_F(Compiler, IdleCompilerAsksThePlayerNothingWhileTheSwitchIsOff) {
  PlayTheExampleSong();
  int autoAdvTicks = 0;
  const std::size_t playerTimers = world.clock.RunningTimers();
  Compile().SetAutoAdvTick([&] {
    ++autoAdvTicks;
    EXPECT_FALSE(compiler->NewSongLine(settings::kUnchecked));
  });
  EXPECT_EQ(world.clock.RunningTimers(), playerTimers + 1) << "AutoAdv only";
  const int before = counted.calls;
  world.clock.Advance(Milliseconds(1500));
  EXPECT_EQ(autoAdvTicks, 10);
  EXPECT_EQ(counted.calls, before);
  compiler.reset();
  EXPECT_EQ(world.clock.RunningTimers(), playerTimers);
}

TEST_F(Compiler, HungPlayerKeepsEachTickShort) {
  PlayTheExampleSong();
  Compile();
  world.player->Drive("hang 10000");
  auto before = world.clock.Now();
  compiler->RefreshReport();
  EXPECT_EQ(world.clock.Now() - before, platform::HungPeerGuard::kSendTimeout)
      << "one bounded wait, not one per message";
  EXPECT_EQ(compiler->SongName, "");
  before = world.clock.Now();
  compiler->RefreshReport();
  EXPECT_EQ(world.clock.Now(), before) << "backed off: no wait at all";
  world.clock.Advance(Milliseconds(12000));
  compiler->RefreshReport();
  EXPECT_EQ(compiler->SongName, "Artist - Title") << "answers again";
}

}  // namespace
}  // namespace tavrin::report
