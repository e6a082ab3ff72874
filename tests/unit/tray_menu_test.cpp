// The notification-area icon's two menus, popped up from the main window
// while it is hidden in the tray.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "player/winamp_api.h"
#include "shell/main_frm.h"
#include "shell_world.h"

namespace tavrin::shell {
namespace {

using platform::MouseButton;
using platform::Picture;
using testing::ShellWorld;

constexpr std::uint32_t kLeftDown = 513;
constexpr std::uint32_t kRightDown = 516;
constexpr char kMainMenu[] =
    "MainFRM menu Chat Commands|Options|-|Exit|About|Restore|-|Close Menu";
constexpr char kAdvertiseMenu[] =
    "MainFRM menu Adv. Song Name|Adv. BitRate|Adv. Elapsed/Remaining|"
    "Adv. Track Length|Adv. WinAmp Status|-|Play/Pause|Stop Song|"
    "Previous Song|Next Song|-|Adv. Song|-|Close Menu";

class TrayMenu : public ::testing::Test {
 protected:
  TrayMenu() {
    world.Settings({"Ascii=~~", "UseWAStatus=1", "UseSongName=1"});
    world.StartChat();
    world.StartPlayer();
    world.player->Drive("play");
    world.player->Drive("seek 83000");
    world.player->Drive("pause");
    world.StartToMainWindow();
    main = &world.Form("MainFRM");
    main->Click("MinimizeLBL");
    world.forms.journal.clear();
  }

  // The user presses a button on the icon and chooses the item ("" for a
  // click elsewhere).
  void Choose(std::uint32_t button, std::string item) {
    world.forms.ChooseInNextMenu(std::move(item));
    main->TrayIconEvent(button);
  }
  std::vector<std::string> Menus() {
    std::vector<std::string> menus;
    for (const std::string& entry : world.forms.journal) {
      if (entry.rfind("MainFRM menu", 0) == 0) menus.push_back(entry);
    }
    return menus;
  }
  std::string LastLine() {
    const std::string text = world.chat->Transcript(1);
    const std::size_t end = text.rfind("\r\n");
    const std::size_t start = text.rfind("\r\n", end - 1);
    return text.substr(start == std::string::npos ? 0 : start + 2,
                       end - (start == std::string::npos ? 0 : start + 2));
  }
  std::vector<std::uintptr_t> PlayerCommands() {
    world.Pump();
    return world.player->ReceivedCommands();
  }

  ShellWorld world;
  sim::SimFormWindow* main = nullptr;
};

TEST_F(TrayMenu, MinimizeButtonHidesTheWindowBehindAnIconWithTheSongAsTip) {
  EXPECT_FALSE(main->IsVisible());
  ASSERT_TRUE(world.tray.Shows(main->Handle(), 1));
  const platform::IconRecord& record = world.tray.Calls().back().record;
  EXPECT_EQ(record.tip, "Tavrin: Paused On - Artist - Title");
  EXPECT_EQ(record.icon, sim::SimFormWindow::kIcon);
  EXPECT_EQ(record.callbackMessage, 512u);
}

TEST_F(TrayMenu, LeftButtonOpensMainRightButtonAdvertiseAndNothingElseOpens) {
  main->TrayIconEvent(kLeftDown);
  main->TrayIconEvent(kRightDown);
  for (const std::uint32_t other : {512u, 514u, 515u, 517u, 518u, 0u, 1025u}) {
    main->TrayIconEvent(other);
  }
  EXPECT_EQ(Menus(), (std::vector<std::string>{kMainMenu, kAdvertiseMenu}));
}

// The shell's callback reuses the mouse-move message: only the icon's
// events count, and only while the icon is there. Movement over the window
// never opens a menu, whatever the display's scaling makes of it.
TEST_F(TrayMenu, NoIconNoMenuAndMovementOverTheWindowNeverOpensOne) {
  Choose(kLeftDown, "RestoreMNU");
  ASSERT_TRUE(main->IsVisible());
  world.forms.journal.clear();
  main->TrayIconEvent(kLeftDown);
  main->TrayIconEvent(kRightDown);
  for (const float pixels : {513.0f, 516.0f, 513.4f, 515.6f}) {
    for (const float twipsPerPixel : {15.0f, 6.25f, 5.0f}) {
      main->MouseMove("", MouseButton::kNone, pixels * twipsPerPixel, 0);
      main->MouseMove("AdvSongLBL", MouseButton::kLeft, pixels * twipsPerPixel, 0);
    }
  }
  EXPECT_TRUE(Menus().empty());
}

TEST_F(TrayMenu, MainMenuItems) {
  Choose(kLeftDown, "OptionsMNU");
  Choose(kLeftDown, "ClsMnu");
  Choose(kLeftDown, "");
  EXPECT_FALSE(main->IsVisible());
  EXPECT_EQ(Menus().size(), 3u);
  EXPECT_EQ(world.forms.journal.size(), 3u) << "only the menus";

  Choose(kLeftDown, "CommandsMNU");
  ASSERT_TRUE(world.program.CommandsLoaded());
  EXPECT_TRUE(world.Form("CommandsFRM").IsVisible());

  Choose(kLeftDown, "RestoreMNU");
  EXPECT_TRUE(main->IsVisible());
  EXPECT_EQ(world.tray.IconCount(), 0u);
}

TEST_F(TrayMenu, AboutFromTheTrayLeavesTheMainWindowHidden) {
  Choose(kLeftDown, "AboutMNU");
  ASSERT_TRUE(world.program.AboutLoaded());
  EXPECT_EQ(world.Form("AboutFRM").Caption(), "MENU");
  EXPECT_EQ(LastLine(),
            "DemoUser:\t~~ Tavrin By: Dunmarrow (Kestle). Advertises WinAmp "
            "Version 2, 3, and 5 to the AOL 7, 8, and 9 ChatRoom");
  world.Ticks(30);
  world.Form("AboutFRM").Click("BackToMain");
  world.Ticks(30);
  EXPECT_FALSE(world.program.AboutLoaded());
  EXPECT_FALSE(main->IsVisible());
  EXPECT_TRUE(world.tray.Shows(main->Handle(), 1));
}

TEST_F(TrayMenu, ExitSaysGoodbyeRemovesTheIconAndEnds) {
  Choose(kLeftDown, "ExitMNU");
  EXPECT_EQ(LastLine(), "DemoUser:\t~~ Tavrin By: Dunmarrow (Kestle) Session Ended.");
  EXPECT_EQ(world.tray.IconCount(), 0u);
  EXPECT_TRUE(world.forms.Ended());
}

TEST_F(TrayMenu, AdvertiseItemsSendTheFieldsWithoutDecoration) {
  const std::vector<std::pair<std::string, std::string>> items = {
      {"AdvSongName", "DemoUser:\tSong Name: Artist - Title"},
      {"AdvBitRate", "DemoUser:\tBitRate: 128"},
      {"AdvEandR", "DemoUser:\tElapsed/Remaining: 00:01:23/00:02:34"},
      {"AdvTrackLen", "DemoUser:\tTrack Length: 00:03:57"},
      {"AdvWAStatus", "DemoUser:\tWinamp Status: Paused On"},
      {"FullSongADV", "DemoUser:\t~~ Paused On Song: Artist - Title"},
  };
  for (const auto& [item, line] : items) {
    Choose(kRightDown, item);
    EXPECT_EQ(LastLine(), line) << item;
  }
  world.player->Drive("close");
  Choose(kRightDown, "FullSongADV");
  EXPECT_EQ(LastLine(), "DemoUser:\t~~ Stopped On Song: ");
  Choose(kRightDown, "AdvBitRate");
  EXPECT_EQ(LastLine(), "DemoUser:\tBitRate: 0");
}

TEST_F(TrayMenu, TransportItemsFollowTheFaceShown) {
  ASSERT_EQ(main->PictureOf("ControlPanel"), Picture::kPlayFace);
  Choose(kRightDown, "PorPSong");
  EXPECT_EQ(main->PictureOf("ControlPanel"), Picture::kPauseFace);
  Choose(kRightDown, "PorPSong");
  EXPECT_EQ(main->PictureOf("ControlPanel"), Picture::kPlayFace);
  Choose(kRightDown, "NextSong");
  EXPECT_EQ(main->PictureOf("ControlPanel"), Picture::kPauseFace);
  Choose(kRightDown, "StopSong");
  EXPECT_EQ(main->PictureOf("ControlPanel"), Picture::kPlayFace);
  Choose(kRightDown, "PrevSong");
  EXPECT_EQ(main->PictureOf("ControlPanel"), Picture::kPauseFace);
  Choose(kRightDown, "ClsMnu2");
  const std::vector<std::uintptr_t> expected = {
      player::kPlayCommand, player::kPauseCommand,    player::kPlayCommand,
      player::kNextCommand, player::kStopCommand,     player::kPlayCommand,
      player::kPreviousCommand};
  EXPECT_EQ(PlayerCommands(), expected);
}

// While a menu is open the room goes on: the owner's command is answered
// from the menu's own loop, and the send that answers it must not pump
// there, or it would take the click the menu waits for.
TEST_F(TrayMenu, ClickReachesTheOpenMenuWhileACommandIsAnswered) {
  // A slow search: the click arrives while it is under way.
  world.chat->Drive("decoys 50");
  world.windows.SetCallCost(platform::Milliseconds(1));
  world.forms.ChooseInNextMenu("RestoreMNU", platform::Milliseconds(120));
  world.clock.ScheduleInput(world.clock.Now() + platform::Milliseconds(20), [&] {
    world.chat->AddLine(1, "DemoUser", ".song");
  });
  main->TrayIconEvent(kLeftDown);
  EXPECT_EQ(LastLine(), "DemoUser:\t~~ Song Name: Artist - Title");
  EXPECT_EQ(world.clock.LostModalInput(), 0);
  EXPECT_TRUE(main->IsVisible()) << "Restore was chosen";
}

}  // namespace
}  // namespace tavrin::shell
