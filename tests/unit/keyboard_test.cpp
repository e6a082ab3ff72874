#include <gtest/gtest.h>

#include "commands/commands_frm.h"
#include "settings/options_frm.h"
#include "settings/song_adv_setup_frm.h"
#include "shell/about_frm.h"
#include "shell/keyboard_focus.h"
#include "shell/main_frm.h"
#include "shell/message_frm.h"
#include "shell_world.h"

namespace tavrin::shell {
namespace {

using testing::ShellWorld;

struct FormOrder {
  platform::FormDesign design;
  std::vector<std::string> names;  // Tab order, then what Esc clicks
};

// Row by row, the title band's buttons last; each stop says what it is.
TEST(KeyboardFocus, EveryFormIsReadInOrderAndEveryStopHasAName) {
  const std::vector<FormOrder> forms = {
      {MainFRM::Design(),
       {"AdvSongLBL", "OptionsLBL", "PrevSong", "StopSong", "NextSong",
        "PlayPauseSong", "AboutLBL", "AutoAdv", "MinimizeLBL", "ExitLBL", ""}},
      {AboutFRM::Design(), {"BackToMain", "BackToMain"}},
      {MessageFRM::Design(), {"OKAY", "ExitLBL", "ExitLBL"}},
      {settings::OptionsFRM::Design(),
       {"SongAdvSetup", "Ascii", "AutoStartWA", "Dir", "SelectDIR", "ExitLBL",
        "ExitLBL"}},
      {settings::SongAdvSetupFRM::Design(),
       {"AsciiCB", "ElapRemCB", "SongNameCB", "SongLenCB", "BitRateCB",
        "WAStatusCB", "ExitLBL", "ExitLBL"}},
      {commands::CommandsFRM::Design(), {"Commands", "ExitLBL", "ExitLBL"}},
  };
  for (const FormOrder& form : forms) {
    KeyboardFocus keys(form.design);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < keys.Order().size(); ++i) {
      EXPECT_TRUE(keys.Press(Key::kTab).focusMoved);
      const auto& control = form.design.controls[*keys.Focused()];
      names.push_back(control.name);
      EXPECT_FALSE(SpokenName(control).empty()) << control.name;
    }
    const auto escape = keys.Press(Key::kEscape).click;
    names.push_back(escape ? form.design.controls[*escape].name : "");
    EXPECT_EQ(names, form.names) << form.design.name;
  }
}

TEST(KeyboardFocus, TabWrapsBothWaysAndSpaceClicksOnlyWhatAClickWould) {
  KeyboardFocus keys(settings::OptionsFRM::Design());
  const auto& order = keys.Order();
  keys.Press(Key::kShiftTab);
  EXPECT_EQ(keys.Focused(), order.back()) << "from nowhere, back to the last";
  keys.Press(Key::kTab);
  EXPECT_EQ(keys.Focused(), order.front()) << "from the last, on to the first";
  EXPECT_EQ(keys.Press(Key::kSpace).click, order.front()) << "Advertise Setup";
  keys.Press(Key::kTab);
  EXPECT_FALSE(keys.Press(Key::kEnter).click) << "the text box takes its keys";
  keys.FocusOn(0);  // the drag bar is no stop
  EXPECT_EQ(keys.Focused(), order[1]);
}

class KeyboardOnly : public ::testing::Test {
 protected:
  void SetUp() override {
    world.Settings({"Ascii=~~", "UseWAStatus=1", "UseSongName=1"});
    world.StartChat();
    world.StartPlayer().Drive("play");
    world.StartToMainWindow();
  }
  ShellWorld world;
};

TEST_F(KeyboardOnly, TabToAdvertiseAndSpacePostsTheReport) {
  auto& main = world.Form("MainFRM");
  main.PressKey(Key::kTab);
  EXPECT_EQ(main.Focused(), "AdvSongLBL");
  main.PressKey(Key::kSpace);
  EXPECT_NE(world.chat->Transcript(1).find("~~ Playing Song: Artist - Title"),
            std::string::npos)
      << world.chat->Transcript(1);
  main.PressKey(Key::kEscape);
  EXPECT_TRUE(main.IsVisible()) << "Esc does not close the main window";
}

TEST_F(KeyboardOnly, EscClosesTheOptionsAsItsCloseButtonDoes) {
  world.Form("MainFRM").Click("OptionsLBL");
  auto& options = world.Form("OptionsFRM");
  options.TypeOver("Ascii", "#");
  options.PressKey(Key::kEscape);
  world.Ticks(30);
  EXPECT_FALSE(world.program.OptionsLoaded());
  EXPECT_EQ(world.program.Save().Ascii, "#") << "kept, as by the close button";
}

}  // namespace
}  // namespace tavrin::shell
