#include <gtest/gtest.h>

#include "forms/effects.h"
#include "report/compiler_frm.h"
#include "shell/about_frm.h"
#include "shell/main_frm.h"
#include "failing_ports.h"
#include "shell_world.h"

namespace tavrin::shell {
namespace {

using platform::Picture;
using testing::ShellWorld;

constexpr const char* kPlayerPath = R"(C:\Program Files\Stand In\player.exe)";

class MainWindow : public ::testing::Test {
 protected:
  std::string Transcript() { return world.chat->Transcript(1); }
  std::vector<std::uintptr_t> PlayerCommands() {
    world.Pump();
    return world.player->ReceivedCommands();
  }

  ShellWorld world;
};

TEST_F(MainWindow, FirstStartWithoutSettingsAnnouncesItselfPlainly) {
  world.StartChat();
  world.StartToMainWindow();
  auto& main = world.Form("MainFRM");
  EXPECT_EQ(Transcript(),
            "DemoUser:\t Tavrin By: Dunmarrow (Kestle) Successfully loaded.\r\n");
  EXPECT_EQ(main.Caption(), "Tavrin 1.5");
  EXPECT_EQ(main.WidthPixels(), 223);
  EXPECT_EQ(main.HeightPixels(), 110);
  EXPECT_EQ(main.Shape(), forms::MainFRMShape());
  EXPECT_TRUE(main.Topmost());
  EXPECT_EQ(main.Alpha(), 225);
  EXPECT_EQ(main.AlphaHistory(), std::vector<int>{225}) << "no fade";
  EXPECT_TRUE(main.IsVisible());
  EXPECT_EQ(main.PictureOf("ControlPanel"), Picture::kPlayFace);
  EXPECT_EQ(main.Check("AutoAdv"), 0);
  EXPECT_EQ(world.program.Main().AutoAdvTag(), "1");
  EXPECT_TRUE(world.program.Scan().Running());
  EXPECT_TRUE(world.launcher.Launches().empty());
  EXPECT_FALSE(world.program.CompilerLoaded()) << "made on first use only";
  EXPECT_FALSE(world.program.MessageLoaded());
}

TEST_F(MainWindow, StartUpRunsItsStepsInOrder) {
  world.Settings({"Ascii=~~", "AutoAdv=1", "AutoLoadWA=1",
                  std::string("WinampDIR=") + kPlayerPath});
  world.launcher.Install(kPlayerPath,
                         [&] { world.forms.journal.push_back("launch"); });
  world.StartChat();
  // Unarmed, the failing ports only note their calls in the journal.
  testing::FailingWindows windows(world.windows, world.forms.journal);
  Program program(
      Ports{windows, world.profile, world.launcher, world.clock, world.forms,
            world.tray, world.localTime, world.clock, world.fileNames});
  program.Main();
  const std::vector<std::string> expected = {
      "MainFRM picture ControlPanel 1",
      "MainFRM shape",
      "MainFRM topmost 1",
      "send ~~ Tavrin By: Dunmarrow (Kestle) Successfully loaded.",
      "MainFRM alpha 225",
      "MainFRM check AutoAdv 1",
      // The stored switch runs its handler, without the message.
      "MainFRM hide",
      "MainFRM topmost 0",
      "MainFRM topmost 1",
      "MainFRM show",
      "MainFRM picture ControlPanel 2",
      "launch",
  };
  EXPECT_EQ(world.forms.journal, expected);
  EXPECT_EQ(program.Main().AutoAdv(), settings::kChecked);
  EXPECT_EQ(program.Main().AutoAdvTag(), "1");
  EXPECT_TRUE(program.Scan().Running());
  EXPECT_EQ(world.launcher.Launches().at(0).path, kPlayerPath);
}

TEST_F(MainWindow, StoredGrayedAutoAdvertiseLoadsGrayed) {
  world.Settings({"AutoAdv=2"});
  world.StartToMainWindow();
  EXPECT_EQ(world.Form("MainFRM").Check("AutoAdv"), 2);
}

TEST_F(MainWindow, AutoAdvertiseClickTogglesTheBoxAndStoresIt) {
  world.StartToMainWindow();
  auto& main = world.Form("MainFRM");
  main.Click("AutoAdv");
  EXPECT_EQ(main.Check("AutoAdv"), 1);
  EXPECT_EQ(world.program.Save().AutoAdv, settings::kChecked);
  EXPECT_EQ(world.StoredSetting("AutoAdv"), "1");
  main.Click("AutoAdv");
  EXPECT_EQ(main.Check("AutoAdv"), 0);
  EXPECT_EQ(world.program.Save().AutoAdv, settings::kUnchecked);
  EXPECT_EQ(world.StoredSetting("AutoAdv"), "0");
}

TEST_F(MainWindow, AdvertisePostsTheReportMadeOnFirstUse) {
  world.Settings({"Ascii=~~", "UseWAStatus=1", "UseSongName=1"});
  world.StartChat();
  world.StartPlayer().Drive("play");
  world.StartToMainWindow();
  world.Form("MainFRM").Click("AdvSongLBL");
  EXPECT_TRUE(world.program.CompilerLoaded());
  EXPECT_EQ(Transcript(),
            "DemoUser:\t~~ Tavrin By: Dunmarrow (Kestle) Successfully loaded.\r\n"
            "DemoUser:\t~~ Playing Song: Artist - Title\r\n");
}

TEST_F(MainWindow, AdvertiseWithoutPlayerPostsTheStoppedLine) {
  world.Settings({"UseWAStatus=1", "UseSongName=1"});
  world.StartChat();
  world.StartToMainWindow();
  world.Form("MainFRM").Click("AdvSongLBL");
  EXPECT_EQ(Transcript(),
            "DemoUser:\t Tavrin By: Dunmarrow (Kestle) Successfully loaded.\r\n"
            "DemoUser:\t Stopped On Song: \r\n");
}

TEST_F(MainWindow, AboutPostsTheAdvertLineWhileTheAboutWindowFadesIn) {
  world.Settings({"Ascii=**"});
  world.StartChat();
  world.StartToMainWindow();
  world.Form("MainFRM").Click("AboutLBL");
  EXPECT_LT(world.Form("AboutFRM").Alpha(), 225);
  EXPECT_EQ(Transcript(),
            "DemoUser:\t** Tavrin By: Dunmarrow (Kestle) Successfully loaded.\r\n"
            "DemoUser:\t** Tavrin By: Dunmarrow (Kestle). Advertises WinAmp "
            "Version 2, 3, and 5 to the AOL 7, 8, and 9 ChatRoom\r\n");
}

// Notes the icon's removal and the program's end in the forms journal: on
// Windows the end is the process's, so whatever the program does must come
// before it. (The sim drops input after the end; that shows nothing about
// the program.)
class JournalingForms final : public platform::FormsToolkit {
 public:
  explicit JournalingForms(sim::SimFormsToolkit& inner) : inner_(inner) {}
  std::unique_ptr<platform::FormWindow> Create(
      const platform::FormDesign& design,
      platform::FormEvents& events) override {
    return inner_.Create(design, events);
  }
  void EndProgram() override {
    inner_.journal.push_back("end");
    inner_.EndProgram();
  }

 private:
  sim::SimFormsToolkit& inner_;
};

// The program with its sends, its icon's changes and its end in the forms
// journal, up to its main window with the icon shown.
struct JournaledProgram {
  explicit JournaledProgram(ShellWorld& world)
      : windows(world.windows, world.forms.journal),
        tray(world.tray, world.forms.journal),
        forms(world.forms),
        program(Ports{windows, world.profile, world.launcher, world.clock,
                      forms, tray, world.localTime, world.clock,
                      world.fileNames}) {
    program.Main();
    main = &world.Form("MainFRM");
    program.Tray().TrayAdd(main->Handle(), "Tavrin", main->Icon());
    world.forms.journal.clear();
  }

  testing::FailingWindows windows;
  testing::FailingTray tray;
  JournalingForms forms;
  Program program;
  sim::SimFormWindow* main = nullptr;
};

TEST_F(MainWindow, ExitHidesSaysGoodbyeRemovesTheIconAndEndsLast) {
  world.Settings({"Ascii=~~"});
  world.StartChat();
  JournaledProgram journaled(world);
  journaled.main->Click("ExitLBL");
  EXPECT_EQ(world.forms.journal,
            (std::vector<std::string>{
                "MainFRM hide",
                "send ~~ Tavrin By: Dunmarrow (Kestle) Session Ended.",
                "tray delete", "end"}));
  EXPECT_EQ(Transcript(),
            "DemoUser:\t~~ Tavrin By: Dunmarrow (Kestle) Successfully loaded.\r\n"
            "DemoUser:\t~~ Tavrin By: Dunmarrow (Kestle) Session Ended.\r\n");
  EXPECT_EQ(world.tray.IconCount(), 0u);
  EXPECT_NE(world.forms.Find("MainFRM"), nullptr) << "nothing is unloaded";
}

TEST_F(MainWindow, ExitWithoutChatRoomStillEnds) {
  world.StartToMainWindow();
  world.Form("MainFRM").Click("ExitLBL");
  EXPECT_FALSE(world.Form("MainFRM").IsVisible());
  EXPECT_TRUE(world.forms.Ended());
}

TEST_F(MainWindow, SystemCloseRemovesTheIconAndThenEnds) {
  JournaledProgram journaled(world);
  journaled.main->SystemClose();
  EXPECT_EQ(world.forms.journal,
            (std::vector<std::string>{"tray delete", "end"}));
  EXPECT_EQ(world.tray.IconCount(), 0u);
}

TEST_F(MainWindow, PlayPauseFollowsTheFaceNotThePlayer) {
  world.StartPlayer();
  world.StartToMainWindow();
  auto& main = world.Form("MainFRM");
  main.Click("PlayPauseSong");
  EXPECT_EQ(main.PictureOf("ControlPanel"), Picture::kPauseFace);
  main.Click("PlayPauseSong");
  EXPECT_EQ(main.PictureOf("ControlPanel"), Picture::kPlayFace);
  main.Click("StopSong");
  main.Click("PlayPauseSong");
  EXPECT_EQ(PlayerCommands(),
            (std::vector<std::uintptr_t>{40045, 40046, 40047, 40045}));
  EXPECT_EQ(main.PictureOf("ControlPanel"), Picture::kPauseFace);
}

TEST_F(MainWindow, NextAndPreviousPlayFirstAndShowThePauseFace) {
  auto& player = world.StartPlayer();
  player.Drive("play");
  player.Drive("pause");
  world.StartToMainWindow();
  auto& main = world.Form("MainFRM");
  main.Click("NextSong");
  EXPECT_EQ(main.PictureOf("ControlPanel"), Picture::kPauseFace);
  main.Click("StopSong");
  EXPECT_EQ(main.PictureOf("ControlPanel"), Picture::kPlayFace);
  main.Click("PrevSong");
  EXPECT_EQ(main.PictureOf("ControlPanel"), Picture::kPauseFace);
  EXPECT_EQ(PlayerCommands(),
            (std::vector<std::uintptr_t>{40045, 40048, 40047, 40045, 40044}));
  EXPECT_EQ(player.Player().PlayState(), standins::PlayerModel::kPlaying);
}

TEST_F(MainWindow, TransportWithoutPlayerOnlyChangesTheFace) {
  world.StartToMainWindow();
  auto& main = world.Form("MainFRM");
  main.Click("NextSong");
  EXPECT_EQ(main.PictureOf("ControlPanel"), Picture::kPauseFace);
  EXPECT_EQ(world.desktop.PendingPosts(), 0u);
}

// Shown again while Options is up (by ".res", say), the main window's
// button brings the loaded Options window forward rather than loading it
// twice.
TEST_F(MainWindow, OptionsButtonHidesTheWindowAndOpensOptionsOnce) {
  world.StartToMainWindow();
  auto& main = world.Form("MainFRM");
  main.Click("OptionsLBL");
  EXPECT_FALSE(main.IsVisible());
  ASSERT_TRUE(world.program.OptionsLoaded());
  EXPECT_TRUE(world.Form("OptionsFRM").IsVisible());
  main.Show();
  world.forms.journal.clear();
  main.Click("OptionsLBL");
  EXPECT_EQ(world.forms.journal,
            (std::vector<std::string>{"MainFRM hide", "OptionsFRM show",
                                      "OptionsFRM activate"}));
  EXPECT_EQ(world.forms.Created("OptionsFRM"), 1);
}

TEST_F(MainWindow, IsDraggedByItsBar) {
  world.StartToMainWindow();
  auto& main = world.Form("MainFRM");
  main.MoveTo({500, 300});
  main.MouseDown("DraggerBar", platform::MouseButton::kLeft, 150, 150);
  main.MouseMove("DraggerBar", platform::MouseButton::kLeft, 300, 300);
  // The bar has moved under the pointer: it is at the grab point again.
  main.MouseMove("DraggerBar", platform::MouseButton::kLeft, 150, 150);
  main.MouseUp("DraggerBar", platform::MouseButton::kLeft, 150, 150);
  EXPECT_EQ(main.Position(), (platform::PixelPoint{510, 310}));
}

}  // namespace
}  // namespace tavrin::shell
