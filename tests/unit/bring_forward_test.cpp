// A second start hands over to the running copy, which brings forward the
// window its user was in.

#include <gtest/gtest.h>

#include <string>

#include "shell_world.h"

namespace tavrin::shell {
namespace {

using testing::ShellWorld;

bool Activated(ShellWorld& world, std::string_view form) {
  const std::string note = std::string(form) + " activate";
  for (const std::string& entry : world.forms.journal) {
    if (entry == note) return true;
  }
  return false;
}

TEST(BringForward, TheMainWindowComesOutOfTheTray) {
  ShellWorld world;
  world.StartToMainWindow();
  world.Form("MainFRM").Click("MinimizeLBL");
  sim::SimFormWindow& main = world.Form("MainFRM");
  ASSERT_TRUE(world.tray.Shows(main.Handle(), 1));
  world.forms.journal.clear();
  world.program.BringForward();
  EXPECT_TRUE(main.IsVisible());
  EXPECT_FALSE(world.tray.Shows(main.Handle(), 1));
  EXPECT_TRUE(Activated(world, "MainFRM"));
}

TEST(BringForward, AWindowThatHidTheMainWindowComesForwardInItsPlace) {
  ShellWorld world;
  world.StartToMainWindow();
  world.Form("MainFRM").Click("OptionsLBL");
  world.Ticks(30);
  world.forms.journal.clear();
  world.program.BringForward();
  EXPECT_TRUE(Activated(world, "OptionsFRM"));
  EXPECT_FALSE(world.Form("MainFRM").IsVisible());
}

TEST(BringForward, DuringTheSplashNothingElseIsMade) {
  ShellWorld world;
  world.program.Start();
  world.program.BringForward();
  EXPECT_FALSE(world.program.MainLoaded());
  EXPECT_TRUE(world.Form("IntroFRM").IsVisible());
}

}  // namespace
}  // namespace tavrin::shell
