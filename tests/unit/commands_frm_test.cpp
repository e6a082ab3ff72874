// The commands reference window: what it lists, what it tells about the
// selected command, and how it opens and closes.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "commands/commands_frm.h"
#include "failing_ports.h"
#include "forms/effects.h"
#include "shell/main_frm.h"
#include "shell_world.h"

namespace tavrin::commands {
namespace {

using testing::ShellWorld;

constexpr std::string_view kPrompt =
    "Select a command on the left to learn more about it.";

// Written out here rather than taken from the window, so that a changed
// letter or blank in either shows.
const std::vector<std::string> kCaptions = {
    ".time",
    ".date",
    ".adv",
    ".song",
    ".bitrate OR .br",
    ".eandr OR .e&r",
    ".len OR .length",
    ".stat OR .status",
    ".mini OR .minimize",
    ".res OR .restore",
    ".exit OR .end",
    ".play",
    ".pause",
    ".next OR .>",
    ".prev OR .< OR .previous",
    ".stop",
    ".commands OR .cmds",
    ".help",
    ".about OR .?",
};

const std::vector<std::string> kDescriptions = {
    "Sends the current time, as it is on your system, to the chat room.",
    "Sends the current date, as it is on your system, to the chat room.",
    "Advertises the current song to the chat room.",
    "Advertises only the current songs' name.",
    "Advertises only the current songs' bitrate.",
    "Advertises only the current songs' elapsed and remaining time.",
    "Advertises only the current songs' length.",
    "Advertises WinAmps' current status.",
    "Minimizes the main window to the system tray.",
    "Restores the main window from the system tray.",
    "Exits the application entirely.",
    "Plays or resumes the selected song.",
    "Pauses the current song from playing.",
    "Skips to the next song.",
    "Skips to the previous song.",
    "Stops the current song from playing.",
    "Loads this window, the commands window.",
    "Loads the built-in Tavrin help system.",
    "Loads About window and sends advertisement for Tavrin to chat room.",
};

std::vector<int> Steps(int from, int to, int step) {
  std::vector<int> values;
  for (int v = from; step > 0 ? v <= to : v >= to; v += step) values.push_back(v);
  return values;
}


class CommandsWindow : public ::testing::Test {
 protected:
  CommandsWindow() { world.StartToMainWindow(); }

  sim::SimFormWindow& Commands() { return world.Form("CommandsFRM"); }
  void Select(int position) { Commands().SelectListItem("Commands", position); }
  std::string Information() { return Commands().TextOf("Information"); }

  // Opened and faded in, then closed and faded out.
  void OpenAndClose() {
    world.program.ShowCommands();
    world.Ticks(23);
    Commands().Click("ExitLBL");
    world.Ticks(23);
  }

  ShellWorld world;
};

TEST_F(CommandsWindow, LoadShapesTopsHidesShowsFadesInThenFillsTheList) {
  // Unarmed, it only notes each timer started in the journal.
  testing::FailingTimers timers(world.clock, world.forms.journal);
  shell::Program program(shell::Ports{world.windows, world.settingsPlace,
                                      world.launcher, timers, world.forms,
                                      world.tray, world.localTime,
                                      world.clock, world.fileNames});
  world.forms.journal.clear();
  program.ShowCommands();
  std::vector<std::string> expected = {
      "CommandsFRM shape", "CommandsFRM topmost 1", "CommandsFRM alpha 1",
      "CommandsFRM show", "timer 1 ms"};
  for (const std::string& caption : kCaptions) {
    expected.push_back("CommandsFRM item Commands " + caption);
  }
  EXPECT_EQ(world.forms.journal, expected);
}

TEST_F(CommandsWindow, OpensAsDesignedAndFadesInFromZero) {
  world.program.ShowCommands();
  ASSERT_TRUE(world.program.CommandsLoaded());
  auto& commands = Commands();
  EXPECT_EQ(commands.Caption(), "Chat Commands");
  EXPECT_EQ(commands.WidthPixels(), 308);
  EXPECT_EQ(commands.HeightPixels(), 224);
  EXPECT_EQ(commands.Shape(), forms::CommandsFRMShape());
  EXPECT_TRUE(commands.Topmost());
  EXPECT_TRUE(commands.IsVisible());
  EXPECT_EQ(commands.ListItems("Commands"), kCaptions);
  EXPECT_EQ(commands.ListIndex("Commands"), -1);
  EXPECT_EQ(Information(), kPrompt);
  world.Ticks(30);
  std::vector<int> fadeIn = {1};
  for (const int alpha : Steps(10, 230, 10)) fadeIn.push_back(alpha);
  fadeIn.push_back(225);
  EXPECT_EQ(commands.AlphaHistory(), fadeIn);
}

TEST_F(CommandsWindow, InformationTellsWhatTheSelectedCommandDoes) {
  world.program.ShowCommands();
  for (int position = 0; position < 19; ++position) {
    Select(position);
    EXPECT_EQ(Information(), kDescriptions[static_cast<std::size_t>(position)])
        << kCaptions[static_cast<std::size_t>(position)];
  }
  Select(3);
  EXPECT_EQ(Information(), "Advertises only the current songs' name.");
}

TEST_F(CommandsWindow, NoSelectionKeepsTheTextItHas) {
  world.program.ShowCommands();
  Select(-1);
  EXPECT_EQ(Information(), kPrompt);
  Select(18);
  Select(-1);
  EXPECT_EQ(Information(),
            "Loads About window and sends advertisement for Tavrin to chat "
            "room.");
}

TEST_F(CommandsWindow, OpeningItAgainWhileShownOnlyShowsAndActivatesIt) {
  world.program.ShowCommands();
  world.Ticks(5);
  Select(7);
  world.forms.journal.clear();
  world.program.ShowCommands();
  EXPECT_EQ(world.forms.journal,
            (std::vector<std::string>{"CommandsFRM show", "CommandsFRM activate"}));
  EXPECT_EQ(world.forms.Created("CommandsFRM"), 1);
  EXPECT_EQ(Commands().ListItems("Commands"), kCaptions) << "listed once";
  EXPECT_EQ(Information(), "Advertises WinAmps' current status.");
  world.Ticks(30);
  // One fade-in, carried on to its end: 1, 10 .. 230, 225.
  EXPECT_EQ(Commands().AlphaHistory().size(), 25u);
  EXPECT_EQ(Commands().Alpha(), 225);
}

TEST_F(CommandsWindow, CloseFadesOutToZeroAndShowsNoOtherWindow) {
  world.program.ShowCommands();
  world.Ticks(23);
  Commands().Click("ExitLBL");
  world.forms.journal.clear();
  world.Ticks(22);
  ASSERT_TRUE(world.program.CommandsLoaded()) << "one step to go";
  world.Ticks(1);
  EXPECT_FALSE(world.program.CommandsLoaded());
  EXPECT_EQ(world.forms.Find("CommandsFRM"), nullptr);
  std::vector<std::string> expected;
  for (const int alpha : Steps(220, 0, -10)) {
    expected.push_back("CommandsFRM alpha " + std::to_string(alpha));
  }
  EXPECT_EQ(world.forms.journal, expected) << "invisible at its last step, "
                                              "and nothing else shown";
  EXPECT_TRUE(world.Form("MainFRM").IsVisible()) << "as it was";
}

TEST_F(CommandsWindow, ClosingLeavesAHiddenMainWindowHidden) {
  world.Form("MainFRM").Hide();
  OpenAndClose();
  EXPECT_FALSE(world.program.CommandsLoaded());
  EXPECT_FALSE(world.Form("MainFRM").IsVisible());
}

TEST_F(CommandsWindow, OpeningItAfterItClosedStartsAfresh) {
  world.program.ShowCommands();
  Select(12);
  world.Ticks(23);
  Commands().Click("ExitLBL");
  world.Ticks(23);
  ASSERT_FALSE(world.program.CommandsLoaded());
  world.program.ShowCommands();
  EXPECT_EQ(world.forms.Created("CommandsFRM"), 2);
  EXPECT_EQ(Commands().ListItems("Commands"), kCaptions);
  EXPECT_EQ(Commands().ListIndex("Commands"), -1);
  EXPECT_EQ(Information(), kPrompt);
  EXPECT_EQ(Commands().AlphaHistory(), (std::vector<int>{1}));
  world.Ticks(23);
  EXPECT_EQ(Commands().Alpha(), 225);
}

TEST_F(CommandsWindow, OpeningItDuringItsFadeOutDoesNotStopTheFadeOut) {
  world.program.ShowCommands();
  world.Ticks(23);
  Commands().Click("ExitLBL");
  world.Ticks(10);  // 220 .. 130
  world.program.ShowCommands();
  EXPECT_EQ(world.forms.Created("CommandsFRM"), 1);
  world.Ticks(12);  // 120 .. 10
  ASSERT_TRUE(world.program.CommandsLoaded());
  const std::vector<int>& alphas = Commands().AlphaHistory();
  EXPECT_EQ(std::vector<int>(alphas.end() - 22, alphas.end()),
            Steps(220, 10, -10));
  world.Ticks(1);
  EXPECT_FALSE(world.program.CommandsLoaded()) << "the window still closes";
  world.Ticks(30);
  EXPECT_FALSE(world.program.CommandsLoaded()) << "and does not come back";
}

TEST_F(CommandsWindow, CloseDuringTheFadeInFadesOutFromThere) {
  world.program.ShowCommands();
  world.Ticks(5);  // 10 .. 50
  Commands().Click("ExitLBL");
  world.Ticks(4);
  const std::vector<int>& alphas = Commands().AlphaHistory();
  EXPECT_EQ(std::vector<int>(alphas.end() - 4, alphas.end()),
            Steps(40, 10, -10));
  world.Ticks(1);
  EXPECT_FALSE(world.program.CommandsLoaded());
}

TEST_F(CommandsWindow, IsDraggedByItsBar) {
  world.program.ShowCommands();
  auto& commands = Commands();
  const auto start = commands.Position();
  commands.MouseDown("DraggerBar", platform::MouseButton::kLeft, 300, 150);
  commands.MouseMove("DraggerBar", platform::MouseButton::kLeft, 600, 450);
  commands.MouseUp("DraggerBar", platform::MouseButton::kLeft, 300, 150);
  EXPECT_EQ(commands.Position(),
            (platform::PixelPoint{start.x + 20, start.y + 20}));
}

}  // namespace
}  // namespace tavrin::commands
