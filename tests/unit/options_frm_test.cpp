// The Options and advertisement-setup windows: what they load, when and in
// which order they store, the path box's lock and the Open dialog, and the
// hand-over between the two windows and back to the main window.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "forwarding_profile.h"
#include "forms/effects.h"
#include "report/compiler_frm.h"
#include "settings/options_frm.h"
#include "settings/song_adv_setup_frm.h"
#include "shell_world.h"

namespace tavrin::settings {
namespace {

using testing::ShellWorld;

// The settings file with each write noted in the forms' journal
// ("write Ascii=~*~"), so that the journal shows the writes among what the
// windows did; `onWrite` runs before each write reaches the file.
class JournalingProfile final : public testing::ForwardingProfile {
 public:
  JournalingProfile(platform::ProfileFile& inner,
                    std::vector<std::string>& journal)
      : ForwardingProfile(inner), journal_(journal) {}
  bool Write(std::string_view section, std::string_view key,
             std::string_view value, std::string_view file) override {
    journal_.push_back("write " + std::string(key) + "=" + std::string(value));
    if (onWrite) onWrite();
    return ForwardingProfile::Write(section, key, value, file);
  }

  std::function<void()> onWrite;

 private:
  std::vector<std::string>& journal_;
};

constexpr char kPlayerPath[] = R"(C:\Program Files\Player\winamp.exe)";
constexpr char kOtherPath[] = R"(D:\Music\winamp.exe)";

class OptionsWindows : public ::testing::Test {
 protected:
  // The program on a settings file that holds the given lines, up to its
  // main window; the journal starts empty.
  void StartWith(std::initializer_list<std::string> settings) {
    world.Settings(settings);
    program.Start();
    world.Ticks(23);
    world.Form("IntroFRM").DoubleClick();
    world.Ticks(24);
    world.forms.journal.clear();
  }
  void OpenOptions() { world.Form("MainFRM").Click("OptionsLBL"); }
  sim::SimFormWindow& Options() { return world.Form("OptionsFRM"); }
  sim::SimFormWindow& SetupWindow() { return world.Form("SongAdvSetupFRM"); }
  // The journal's entries that start with the prefix.
  std::vector<std::string> Entries(std::string_view prefix) const {
    std::vector<std::string> found;
    for (const std::string& entry : world.forms.journal) {
      if (entry.rfind(prefix, 0) == 0) found.push_back(entry);
    }
    return found;
  }
  std::string SettingsFileText() {
    std::ifstream file(world.profile.HostPath(kSettingsFile),
                       std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
  }
  // Closes the window by its close button and lets the fade-out end.
  void Close(sim::SimFormWindow& window) {
    window.Click("ExitLBL");
    world.Ticks(30);
  }

  ShellWorld world;
  JournalingProfile profile{world.settingsPlace, world.forms.journal};
  shell::Program program{shell::Ports{world.windows, profile, world.launcher,
                                      world.clock, world.forms, world.tray,
                                      world.localTime, world.clock, world.fileNames}};
};

TEST_F(OptionsWindows, OpeningWithAutoStartOffStoresNothingUntilTheClose) {
  StartWith({"Ascii=~*~", "AutoLoadWA=0",
             std::string("WinampDIR=") + kPlayerPath});
  OpenOptions();
  EXPECT_EQ(world.forms.journal,
            (std::vector<std::string>{"MainFRM hide", "OptionsFRM shape",
                                      "OptionsFRM topmost 1",
                                      "OptionsFRM alpha 1",
                                      "OptionsFRM show"}));
  EXPECT_EQ(Options().Caption(), "Options");
  EXPECT_EQ(Options().ControlText("Ascii"), "~*~");
  EXPECT_EQ(Options().ControlText("Dir"), kPlayerPath);
  EXPECT_EQ(Options().Check("AutoStartWA"), 0);
  EXPECT_FALSE(Options().Locked("Dir"));
  EXPECT_EQ(Options().Shape(), forms::OptionsFRMShape());
  world.Ticks(23);
  EXPECT_EQ(Options().Alpha(), 225);

  // Typed text takes effect only at the close: a line sent meanwhile still
  // carries the old decoration.
  Options().TypeOver("Ascii", "#");
  Options().Type("Dir", "x");
  EXPECT_TRUE(Entries("write").empty());
  EXPECT_EQ(program.Save().Ascii, "~*~");

  // File first, then the holder: no write sees the holder changed yet.
  std::vector<std::string> holderAtWrites;
  profile.onWrite = [&] {
    const SaveFRM& holder = program.Save();
    holderAtWrites.push_back(holder.Ascii + "|" + holder.Dir + "|" +
                             std::to_string(holder.AutoStartWA));
  };
  Options().Click("ExitLBL");
  EXPECT_EQ(Entries("write"),
            (std::vector<std::string>{
                "write Ascii=#", "write AutoLoadWA=0",
                std::string("write WinampDIR=") + kPlayerPath + "x"}));
  const std::string before = std::string("~*~|") + kPlayerPath + "|0";
  EXPECT_EQ(holderAtWrites,
            (std::vector<std::string>{before, before, before}));
  EXPECT_EQ(program.Save().Ascii, "#");
  EXPECT_EQ(program.Save().Dir, std::string(kPlayerPath) + "x");

  world.Ticks(30);
  EXPECT_FALSE(program.OptionsLoaded());
  EXPECT_TRUE(world.Form("MainFRM").IsVisible());
  // The next opening starts from the holder.
  OpenOptions();
  EXPECT_EQ(Options().ControlText("Ascii"), "#");
  EXPECT_EQ(world.forms.Created("OptionsFRM"), 2);
}

TEST_F(OptionsWindows, OpeningWithAutoStartOnStoresTheThreeValuesBeforeShowing) {
  StartWith({"Ascii= ~*~ ", "AutoLoadWA=1",
             std::string("WinampDIR=") + kPlayerPath});
  OpenOptions();
  EXPECT_EQ(world.forms.journal,
            (std::vector<std::string>{
                "MainFRM hide", "OptionsFRM check AutoStartWA 1",
                "OptionsFRM lock Dir 0", "write Ascii=~*~",
                "write AutoLoadWA=1",
                std::string("write WinampDIR=") + kPlayerPath,
                "OptionsFRM shape", "OptionsFRM topmost 1",
                "OptionsFRM alpha 1", "OptionsFRM show"}));
  EXPECT_NE(SettingsFileText().find("Ascii=~*~\r\n"), std::string::npos);
}

TEST_F(OptionsWindows, SwitchingAutoStartOffForgetsThePathAtOnceAndOnAgainUnlocks) {
  StartWith({"Ascii=~", "AutoLoadWA=1",
             std::string("WinampDIR=") + kPlayerPath});
  OpenOptions();
  world.forms.journal.clear();
  Options().Click("AutoStartWA");
  EXPECT_EQ(Options().Check("AutoStartWA"), 0);
  EXPECT_TRUE(Options().Locked("Dir"));
  EXPECT_EQ(Options().ControlText("Dir"), "");
  EXPECT_EQ(Entries("write"),
            (std::vector<std::string>{"write Ascii=~", "write AutoLoadWA=0",
                                      "write WinampDIR="}));
  EXPECT_EQ(program.Save().Dir, "");
  EXPECT_EQ(program.Save().AutoStartWA, kUnchecked);

  Options().Type("Dir", R"(C:\typed.exe)");
  EXPECT_EQ(Options().ControlText("Dir"), "") << "the locked box took typing";

  Options().Click("AutoStartWA");
  EXPECT_FALSE(Options().Locked("Dir"));
  EXPECT_EQ(Options().ControlText("Dir"), "");
  EXPECT_EQ(world.StoredSetting(key::kAutoLoadWA), "1");
  Options().Type("Dir", R"(C:\typed.exe)");
  Close(Options());
  EXPECT_EQ(world.StoredSetting(key::kWinampDIR), R"(C:\typed.exe)");
}

TEST_F(OptionsWindows, OpenDialogCancelKeepsThePathAndAChoiceFillsEvenALockedBox) {
  StartWith({"Ascii=~", "AutoLoadWA=0",
             std::string("WinampDIR=") + kPlayerPath});
  OpenOptions();
  world.forms.journal.clear();

  // A first cancel leaves the configured path in place.
  Options().Click("SelectDIR");
  EXPECT_EQ(world.forms.journal,
            (std::vector<std::string>{
                "OptionsFRM open Winamp Executable (winamp.exe)|winamp.exe ",
                "OptionsFRM focus Dir"}));
  EXPECT_EQ(Options().ControlText("Dir"), kPlayerPath);

  world.forms.AnswerNextOpenDialog(kOtherPath);
  Options().Click("SelectDIR");
  EXPECT_EQ(Options().ControlText("Dir"), kOtherPath);
  // The next dialog offers the last choice; cancelling it keeps the box.
  Options().TypeOver("Dir", R"(E:\edited.exe)");
  world.forms.journal.clear();
  Options().Click("SelectDIR");
  EXPECT_EQ(world.forms.journal.front(),
            std::string("OptionsFRM open Winamp Executable (winamp.exe)|"
                        "winamp.exe ") + kOtherPath);
  EXPECT_EQ(Options().ControlText("Dir"), R"(E:\edited.exe)");
  EXPECT_TRUE(Entries("write").empty()) << "the dialog stores nothing";
  EXPECT_EQ(world.StoredSetting(key::kWinampDIR), kPlayerPath);

  // Locked: the dialog fills the box all the same.
  Options().Click("AutoStartWA");
  Options().Click("AutoStartWA");
  ASSERT_TRUE(Options().Locked("Dir"));
  world.forms.AnswerNextOpenDialog(kOtherPath);
  Options().Click("SelectDIR");
  EXPECT_EQ(Options().ControlText("Dir"), kOtherPath);
  Close(Options());
  EXPECT_EQ(world.StoredSetting(key::kWinampDIR), kOtherPath);
}

// The dialog pumps messages: here the window is closed and unloaded while
// the dialog is up. Its answer then touches nothing of the gone window.
TEST_F(OptionsWindows, WindowGoneWhileTheDialogIsUpIsLeftAlone) {
  StartWith({"Ascii=~", std::string("WinampDIR=") + kPlayerPath});
  OpenOptions();
  world.Ticks(23);
  world.forms.AnswerNextOpenDialog(kOtherPath, [&] { Close(Options()); });
  Options().Click("SelectDIR");
  EXPECT_FALSE(program.OptionsLoaded());
  EXPECT_TRUE(world.Form("MainFRM").IsVisible());
  EXPECT_EQ(world.StoredSetting(key::kWinampDIR), kPlayerPath);
}

TEST_F(OptionsWindows, LineBreaksTypedOrPastedAreStoredOnOneLine) {
  StartWith({"Ascii=~", std::string("WinampDIR=") + kPlayerPath});
  OpenOptions();
  Options().TypeOver("Ascii", "a\r\nUseAscii=1\rb\nc");
  Options().TypeOver("Dir", "C:\\x\r\nAutoAdv=1");
  Close(Options());
  EXPECT_EQ(world.StoredSetting(key::kAscii), "a UseAscii=1 b c");
  EXPECT_EQ(world.StoredSetting(key::kWinampDIR), R"(C:\x AutoAdv=1)");
  EXPECT_EQ(world.StoredSetting(key::kAutoAdv), "");
  EXPECT_EQ(world.StoredSetting(key::kUseAscii), "");
  EXPECT_EQ(program.Save().Ascii, "a UseAscii=1 b c");
  EXPECT_EQ(program.Save().Dir, R"(C:\x AutoAdv=1)");
  EXPECT_EQ(OneLine("\r\n\r\n"), "  ");
  EXPECT_EQ(OneLine("\n\r"), "  ");
}

// After a restart the decoration comes back with the blanks and quotes at
// its ends, and auto-start reaches a player whose folder the code page
// cannot name by the short path stored for it.
TEST_F(OptionsWindows, TypedValuesComeBackAfterARestart) {
  const std::string typedPath = R"(C:\Плеер\winamp.exe)";
  const std::string shortPath = R"(C:\0E6A~1\winamp.exe)";
  world.fileNames.AddFile(typedPath, shortPath);
  StartWith({"AutoLoadWA=1"});
  OpenOptions();
  Options().TypeOver("Ascii", " \"~~\" ");
  Options().TypeOver("Dir", typedPath);
  Close(Options());
  EXPECT_EQ(program.Save().Dir, typedPath) << "the holder keeps what was typed";
  EXPECT_EQ(world.StoredSetting(key::kWinampDIR), shortPath);

  world.StartChat();
  world.launcher.Install(shortPath, [] {});
  shell::Program restarted{shell::Ports{world.windows, world.settingsPlace,
                                        world.launcher, world.clock,
                                        world.forms, world.tray,
                                        world.localTime, world.clock,
                                        world.fileNames}};
  restarted.Main();
  EXPECT_EQ(restarted.Save().Ascii, " \"~~\" ");
  EXPECT_EQ(world.chat->Transcript(1),
            "DemoUser:\t \"~~\"  Tavrin By: Dunmarrow (Kestle) Successfully "
            "loaded.\r\n");
  ASSERT_FALSE(world.launcher.Launches().empty());
  EXPECT_EQ(world.launcher.Launches().back().path, shortPath);
}

TEST_F(OptionsWindows, DecorationBoxTakesAtMostItsLimit) {
  StartWith({});
  OpenOptions();
  Options().Type("Ascii", std::string(30, '*'));
  EXPECT_EQ(Options().ControlText("Ascii"), std::string(24, '*'));
  // Counted as the system counts: a character beyond the basic plane is
  // two units, and none is cut in half.
  Options().TypeOver("Ascii", std::string(23, '*') + "\xF0\x9F\x8E\xB5");
  EXPECT_EQ(Options().ControlText("Ascii"), std::string(23, '*'));
  Close(Options());
  EXPECT_EQ(world.StoredSetting(key::kAscii), std::string(23, '*'));
}

TEST_F(OptionsWindows, SetupWindowReturnsToOptionsWithTheTypedTextStillUncommitted) {
  StartWith({"Ascii=~", "AutoLoadWA=0"});
  OpenOptions();
  world.Ticks(23);
  Options().TypeOver("Ascii", "=>");
  world.forms.journal.clear();
  Options().Click("SongAdvSetup");
  // The setup window shows first, so that it takes the keyboard; then
  // Options hides.
  EXPECT_EQ(world.forms.journal.back(), "OptionsFRM hide");
  EXPECT_FALSE(Options().IsVisible());
  EXPECT_TRUE(SetupWindow().IsVisible());
  EXPECT_EQ(SetupWindow().Caption(), "Song Advertise Setup");
  EXPECT_EQ(SetupWindow().Shape(), forms::SongAdvSetupFRMShape());
  EXPECT_TRUE(program.OptionsLoaded());
  world.Ticks(23);
  EXPECT_EQ(SetupWindow().Alpha(), 225);

  Close(SetupWindow());
  EXPECT_FALSE(program.SongAdvSetupLoaded());
  EXPECT_TRUE(Options().IsVisible());
  EXPECT_EQ(Options().Alpha(), 225) << "shown as it was left";
  EXPECT_EQ(Options().ControlText("Ascii"), "=>");
  EXPECT_EQ(world.forms.Created("OptionsFRM"), 1);
  EXPECT_TRUE(Entries("write").empty());
  EXPECT_EQ(program.Save().Ascii, "~");
  EXPECT_FALSE(world.Form("MainFRM").IsVisible());
  Close(Options());
  EXPECT_EQ(world.StoredSetting(key::kAscii), "=>");
}

TEST_F(OptionsWindows, SetupTogglesAreStoredAtOnceAndChangeTheNextReport) {
  StartWith({"Ascii=~~", "UseWAStatus=1", "UseSongName=1", "UseBitRate=0"});
  world.StartChat();
  world.StartPlayer();
  world.player->Drive("play");
  OpenOptions();
  world.forms.journal.clear();
  Options().Click("SongAdvSetup");
  // The boxes stored on are written back once each, in the load's order.
  EXPECT_EQ(Entries("write"),
            (std::vector<std::string>{"write UseSongName=1",
                                      "write UseWAStatus=1"}));
  EXPECT_EQ(SetupWindow().Check("SongNameCB"), 1);
  EXPECT_EQ(SetupWindow().Check("BitRateCB"), 0);
  EXPECT_EQ(program.FreshReport().Data,
            "~~ Playing Song: Artist - Title");

  world.forms.journal.clear();
  SetupWindow().Click("SongNameCB");
  EXPECT_EQ(Entries("write"),
            (std::vector<std::string>{"write UseSongName=0"}));
  EXPECT_EQ(program.Save().SongNameCB, kUnchecked);
  EXPECT_EQ(world.StoredSetting(key::kUseSongName), "0");
  EXPECT_EQ(program.FreshReport().Data.find("Artist"), std::string::npos);

  for (const auto& toggle : SongAdvSetupFRM::Toggles()) {
    world.forms.journal.clear();
    const CheckValue was = program.Save().*toggle.holder;
    SetupWindow().Click(toggle.box);
    const std::string now = was == kChecked ? "0" : "1";
    EXPECT_EQ(Entries("write"),
              (std::vector<std::string>{"write " + std::string(toggle.key) +
                                        "=" + now}))
        << toggle.box;
    EXPECT_EQ(std::to_string(program.Save().*toggle.holder), now);
    EXPECT_EQ(SetupWindow().Check(toggle.box), now == "1" ? 1 : 0);
  }
}

// Each switch, clicked off and on again in the setup window: off takes out
// exactly its field's text, label and separator, and nothing else. The
// decoration's switch takes nothing out: the decoration stays either way.
TEST_F(OptionsWindows, EachSetupSwitchGovernsExactlyItsField) {
  StartWith({"Ascii=~~", "UseAscii=1", "UseWAStatus=1", "UseSongName=1",
             "UseBitRate=1", "UseElapRem=1", "UseSongLen=1"});
  world.StartPlayer();
  world.player->Drive("play");
  world.player->Drive("seek 83000");
  world.player->Drive("pause");
  const std::string allOn =
      "~~ Paused On Song: Artist - Title BitRate: 128 - "
      "Elapsed/Remaining: 00:01:23/00:02:34 - Length: 00:03:57";
  const std::vector<std::pair<std::string, std::string>> switchedOff = {
      {"WAStatusCB",
       "~~  Song: Artist - Title BitRate: 128 - "
       "Elapsed/Remaining: 00:01:23/00:02:34 - Length: 00:03:57"},
      {"SongNameCB",
       "~~ Paused On BitRate: 128 - "
       "Elapsed/Remaining: 00:01:23/00:02:34 - Length: 00:03:57"},
      {"BitRateCB",
       "~~ Paused On Song: Artist - Title "
       "Elapsed/Remaining: 00:01:23/00:02:34 - Length: 00:03:57"},
      {"ElapRemCB",
       "~~ Paused On Song: Artist - Title BitRate: 128 - Length: 00:03:57"},
      {"SongLenCB",
       "~~ Paused On Song: Artist - Title BitRate: 128 - "
       "Elapsed/Remaining: 00:01:23/00:02:34 -"},
      {"AsciiCB", allOn},
  };
  OpenOptions();
  Options().Click("SongAdvSetup");
  ASSERT_EQ(program.FreshReport().Data, allOn);
  for (const auto& [box, line] : switchedOff) {
    SetupWindow().Click(box);
    ASSERT_EQ(SetupWindow().Check(box), 0) << box;
    EXPECT_EQ(program.FreshReport().Data, line) << box << " off";
    SetupWindow().Click(box);
    ASSERT_EQ(SetupWindow().Check(box), 1) << box;
    EXPECT_EQ(program.FreshReport().Data, allOn) << box << " on again";
  }
}

}  // namespace
}  // namespace tavrin::settings
