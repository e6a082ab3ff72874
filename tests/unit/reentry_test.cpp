// Handlers entered again through the room search's message pump: on a slow
// desktop the user's input and the program's ticks arrive while a line is
// being sent, and run inside the send, as they do on Windows.

#include <gtest/gtest.h>

#include "report/compiler_frm.h"
#include "shell/about_frm.h"
#include "shell/main_frm.h"
#include "shell_world.h"

namespace tavrin::shell {
namespace {

using platform::Milliseconds;
using testing::ShellWorld;

constexpr std::string_view kStartupLine =
    "DemoUser:\t~~ Tavrin By: Dunmarrow (Kestle) Successfully loaded.\r\n";

class Reentry : public ::testing::Test {
 protected:
  Reentry() {
    world.Settings({"Ascii=~~", "UseWAStatus=1", "UseSongName=1"});
    // Ten windows in front of the room and a millisecond per call into the
    // client: a search takes about 40 ms, long enough for ticks to fall due.
    world.StartChat().Drive("decoys 10");
    world.windows.SetCallCost(Milliseconds(1));
  }

  // `control` of `form` is clicked `after` from now, if the form is still
  // loaded then (input for a window that is gone reaches nobody).
  void ClickLater(Milliseconds after, std::string form, std::string control,
                  bool twice = false) {
    world.clock.ScheduleInput(world.clock.Now() + after, [=, this] {
      sim::SimFormWindow* window = world.forms.Find(form);
      if (window == nullptr) return;
      if (twice) {
        window->DoubleClick(control);
      } else {
        window->Click(control);
      }
    });
  }

  std::string Transcript() { return world.chat->Transcript(1); }

  ShellWorld world;
};

TEST_F(Reentry, DoubleClickAndFadeTickDuringTheStartUpLineLeaveOneMainWindow) {
  world.program.Start();
  world.Ticks(23);
  world.Form("IntroFRM").DoubleClick();
  world.Ticks(23);
  ASSERT_TRUE(world.program.IntroLoaded()) << "one fade step to go";
  // The last step hands over to the main window, whose load sends the
  // start-up line; a double-click on the splash arrives 1 ms into it, and
  // the search goes on long after a fade step would be due again.
  ClickLater(Milliseconds(11), "IntroFRM", "", true);
  world.Ticks(1);
  EXPECT_FALSE(world.program.IntroLoaded());
  ASSERT_TRUE(world.program.MainLoaded());
  world.Ticks(30);
  EXPECT_TRUE(world.Form("MainFRM").IsVisible());
  EXPECT_EQ(world.forms.Created("MainFRM"), 1);
  EXPECT_EQ(Transcript(), kStartupLine) << "loaded once";
}

TEST_F(Reentry, AdvertiseClickAndRefreshDuringTheAboutLinePostBoth) {
  world.StartPlayer().Drive("play");
  world.StartToMainWindow();
  auto& main = world.Form("MainFRM");
  main.Click("AdvSongLBL");
  auto& report = world.program.Compiler();
  // During the About window's advert line: the song changes, a refresh
  // falls due, and then the user clicks Advertise.
  world.clock.ScheduleInput(world.clock.Now() + Milliseconds(2),
                            [&] { world.player->Drive("next"); });
  ClickLater(Milliseconds(15), "MainFRM", "AdvSongLBL");
  main.Click("AboutLBL");
  EXPECT_EQ(report.SongName, "Night Drive - Neon Harbour")
      << "a refresh ran inside the send";
  // Lines go out in the order they were asked for: the nested click's
  // waits for the one being sent.
  EXPECT_EQ(Transcript(),
            std::string(kStartupLine) +
                "DemoUser:\t~~ Playing Song: Artist - Title\r\n"
                "DemoUser:\t~~ Tavrin By: Dunmarrow (Kestle). Advertises "
                "WinAmp Version 2, 3, and 5 to the AOL 7, 8, and 9 ChatRoom\r\n"
                "DemoUser:\t~~ Playing Song: Night Drive - Neon Harbour\r\n");
  EXPECT_EQ(world.Form("AboutFRM").Caption(), "MAIN");
}

TEST_F(Reentry, ReportBeingSentIsTheOneClickedForEvenIfANestedClickRebuildsIt) {
  world.StartPlayer().Drive("play");
  world.StartToMainWindow();
  auto& main = world.Form("MainFRM");
  main.Click("AdvSongLBL");
  world.clock.ScheduleInput(world.clock.Now() + Milliseconds(2),
                            [&] { world.player->Drive("next"); });
  ClickLater(Milliseconds(15), "MainFRM", "AdvSongLBL");
  main.Click("AdvSongLBL");
  EXPECT_EQ(world.program.Compiler().SongName, "Night Drive - Neon Harbour")
      << "the nested click rebuilt the report";
  EXPECT_EQ(Transcript(),
            std::string(kStartupLine) +
                "DemoUser:\t~~ Playing Song: Artist - Title\r\n"
                "DemoUser:\t~~ Playing Song: Artist - Title\r\n"
                "DemoUser:\t~~ Playing Song: Night Drive - Neon Harbour\r\n");
}

TEST_F(Reentry, AboutClosedWhileItsAdvertLineIsSentBringsTheMainWindowBack) {
  // A hundred windows in front of the room: the search outlasts the About
  // window's whole fade in and out.
  world.chat->Drive("decoys 100");
  world.StartToMainWindow();
  ClickLater(Milliseconds(5), "AboutFRM", "BackToMain");
  world.Form("MainFRM").Click("AboutLBL");
  EXPECT_FALSE(world.program.AboutLoaded()) << "faded out during the send";
  EXPECT_TRUE(world.Form("MainFRM").IsVisible());
  EXPECT_EQ(world.forms.Created("AboutFRM"), 1) << "not opened again";
}

}  // namespace
}  // namespace tavrin::shell
