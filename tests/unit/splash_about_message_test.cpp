#include <gtest/gtest.h>

#include "forms/effects.h"
#include "shell/about_frm.h"
#include "shell/intro_frm.h"
#include "shell/main_frm.h"
#include "shell/message_frm.h"
#include "shell_world.h"

namespace tavrin::shell {
namespace {

using testing::ShellWorld;

std::vector<int> Steps(int from, int to, int step) {
  std::vector<int> values;
  for (int v = from; step > 0 ? v <= to : v >= to; v += step) values.push_back(v);
  return values;
}

std::vector<int> Joined(std::vector<int> a, const std::vector<int>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class Splash : public ::testing::Test {
 protected:
  ShellWorld world;
};

TEST_F(Splash, FadesInFromOneTo231ThenRestsAt225) {
  world.program.Start();
  auto& splash = world.Form("IntroFRM");
  EXPECT_EQ(splash.Caption(), "Introduction Window");
  EXPECT_TRUE(splash.IsVisible());
  EXPECT_TRUE(splash.Topmost());
  world.Ticks(30);
  EXPECT_EQ(splash.AlphaHistory(),
            Joined(Joined({1}, Steps(11, 231, 10)), {225}));
  EXPECT_FALSE(world.program.MainLoaded()) << "no main window without a double-click";
}

TEST_F(Splash, DoubleClickDuringTheFadeInIsIgnored) {
  world.program.Start();
  world.Ticks(5);
  world.Form("IntroFRM").DoubleClick();
  world.Ticks(60);
  EXPECT_EQ(world.Form("IntroFRM").Alpha(), 225);
  EXPECT_FALSE(world.program.MainLoaded());
}

TEST_F(Splash, FadesOutToOneThenHandsOverToTheMainWindow) {
  world.program.Start();
  world.Ticks(23);
  auto& splash = world.Form("IntroFRM");
  const std::size_t fadedIn = splash.AlphaHistory().size();
  splash.DoubleClick();
  world.Ticks(23);
  EXPECT_TRUE(world.program.IntroLoaded()) << "one step to go";
  const std::vector<int> fadeOut(splash.AlphaHistory().begin() + fadedIn,
                                 splash.AlphaHistory().end());
  EXPECT_EQ(fadeOut, Steps(221, 1, -10)) << "-9 is refused";
  world.Ticks(1);
  EXPECT_FALSE(world.program.IntroLoaded());
  EXPECT_EQ(world.forms.Find("IntroFRM"), nullptr);
  ASSERT_TRUE(world.program.MainLoaded());
  EXPECT_TRUE(world.Form("MainFRM").IsVisible());
}

class About : public ::testing::Test {
 protected:
  About() { world.StartToMainWindow(); }
  ShellWorld world;
};

TEST_F(About, FromTheMainWindowItBringsTheMainWindowBack) {
  auto& main = world.Form("MainFRM");
  main.Click("AboutLBL");
  EXPECT_FALSE(main.IsVisible());
  auto& about = world.Form("AboutFRM");
  EXPECT_EQ(about.Caption(), "MAIN");
  EXPECT_TRUE(about.IsVisible());
  world.Ticks(23);
  EXPECT_EQ(about.Alpha(), 225);
  about.Click("BackToMain");
  world.Ticks(24);
  EXPECT_EQ(world.forms.Find("AboutFRM"), nullptr);
  EXPECT_TRUE(main.IsVisible());
}

TEST_F(About, WithAnotherReturnTagTheMainWindowStaysHidden) {
  auto& main = world.Form("MainFRM");
  main.Hide();
  world.program.About().SetCaption("MENU");
  world.Ticks(23);
  world.Form("AboutFRM").Click("BackToMain");
  world.Ticks(24);
  EXPECT_FALSE(world.program.AboutLoaded());
  EXPECT_FALSE(main.IsVisible());
}

TEST_F(About, CloseDuringTheFadeInStopsItAndFadesOutFromThere) {
  world.Form("MainFRM").Click("AboutLBL");
  auto& about = world.Form("AboutFRM");
  world.Ticks(5);  // 11 .. 51
  about.Click("BackToMain");
  world.Ticks(5);
  EXPECT_EQ(std::vector<int>(about.AlphaHistory().end() - 5,
                             about.AlphaHistory().end()),
            Steps(41, 1, -10));
  world.Ticks(1);
  EXPECT_FALSE(world.program.AboutLoaded());
  EXPECT_TRUE(world.Form("MainFRM").IsVisible());
}

TEST_F(About, OpeningItAgainStartsFromItsDesignState) {
  world.Form("MainFRM").Click("AboutLBL");
  world.Ticks(23);
  const std::vector<int> firstFadeIn = world.Form("AboutFRM").AlphaHistory();
  world.Form("AboutFRM").Click("BackToMain");
  world.Ticks(24);
  ASSERT_FALSE(world.program.AboutLoaded());
  auto& main = world.Form("MainFRM");
  main.Hide();
  // Not through the main window this time: no return tag is set.
  world.program.About();
  EXPECT_EQ(world.forms.Created("AboutFRM"), 2);
  auto& about = world.Form("AboutFRM");
  EXPECT_EQ(about.Caption(), "About");
  world.Ticks(23);
  EXPECT_EQ(about.AlphaHistory(), firstFadeIn) << "the fade starts afresh";
  about.Click("BackToMain");
  world.Ticks(24);
  EXPECT_FALSE(world.program.AboutLoaded());
  EXPECT_FALSE(main.IsVisible()) << "the first opening's return tag is gone";
}

class Message : public ::testing::Test {
 protected:
  Message() {
    world.StartToMainWindow();
    world.Form("MainFRM").Hide();
    world.program.Message().SetTMP("MAIN");
    world.program.Message().Show();
    world.program.Message().SetInfo("Auto Advertiser Enabled.");
  }
  ShellWorld world;
};

TEST_F(Message, FadesFromZeroAndShowsItsTextInItsOutline) {
  auto& message = world.Form("MessageFRM");
  world.Ticks(30);
  EXPECT_EQ(message.AlphaHistory(),
            Joined(Joined({1}, Steps(10, 230, 10)), {225}));
  EXPECT_EQ(message.Shape(), forms::SongAdvSetupFRMShape());
  EXPECT_TRUE(message.Topmost());
  EXPECT_EQ(message.TextOf("Info"), "Auto Advertiser Enabled.");
  EXPECT_EQ(message.TextOf("TMP"), "MAIN");
}

TEST_F(Message, OkOrCloseFadesOutToZeroAndBringsTheMainWindowBack) {
  for (const char* button : {"OKAY", "ExitLBL"}) {
    world.Ticks(23);
    world.Form("MessageFRM").Click(button);
    world.forms.journal.clear();
    world.Ticks(23);
    EXPECT_EQ(world.forms.journal.at(22), "MessageFRM alpha 0")
        << "invisible at its last step";
    EXPECT_FALSE(world.program.MessageLoaded()) << button;
    EXPECT_TRUE(world.Form("MainFRM").IsVisible()) << button;
    world.Form("MainFRM").Hide();
    world.program.Message().SetTMP("MAIN");
  }
}

TEST_F(Message, IsDraggedByItsBar) {
  auto& message = world.Form("MessageFRM");
  const auto start = message.Position();
  message.MouseDown("DraggerBar", platform::MouseButton::kRight, 100, 100);
  message.MouseMove("DraggerBar", platform::MouseButton::kRight, 400, 250);
  // The bar moved with the window: the pointer is at the grab point again.
  message.MouseUp("DraggerBar", platform::MouseButton::kRight, 100, 100);
  EXPECT_EQ(message.Position(), (platform::PixelPoint{start.x + 20, start.y + 10}));
}

}  // namespace
}  // namespace tavrin::shell
