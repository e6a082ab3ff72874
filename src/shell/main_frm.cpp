#include "shell/main_frm.h"

#include <string>
#include <utility>

#include "commands/chat_commands.h"
#include "forms/effects.h"
#include "forms/guarded.h"
#include "player/winamp_api.h"
#include "report/compiler_frm.h"
#include "settings/settings_store.h"
#include "shell/about_frm.h"
#include "shell/message_frm.h"
#include "shell/program.h"

namespace tavrin::shell {

using platform::ControlKind;
using forms::Guarded;
using forms::kWorkingAlpha;
using forms::SetNotTopmost;
using forms::SetTopmost;
using forms::SetTranslucency;
using forms::ShapeMainFRM;

platform::FormDesign MainFRM::Design() {
  return {"MainFRM",
          "Tavrin 1.5",
          3345,
          1650,
          platform::FormSkin::kMain,
          {{"DraggerBar", ControlKind::kDragBar, {0, 0, 2155, 315}, "Tavrin 1.5"},
           {"MinimizeLBL", ControlKind::kButton, {2640, 0, 315, 315}, "", "Minimize"},
           {"ExitLBL", ControlKind::kButton, {3030, 0, 315, 315}, "", "Exit"},
           {"AutoAdv", ControlKind::kCheckBox, {2310, 60, 190, 200}, "", "Auto Advertise"},
           {"AdvSongLBL", ControlKind::kButton, {130, 550, 1500, 435}, "Advertise"},
           {"OptionsLBL", ControlKind::kButton, {1710, 550, 1500, 435}, "Options"},
           {"AboutLBL", ControlKind::kButton, {1710, 1100, 1500, 435}, "About"},
           {"ControlPanel", ControlKind::kPicture, {130, 1090, 1500, 435}, ""},
           {"PrevSong", ControlKind::kButton, {140, 1095, 330, 435}, "", "Previous Song"},
           {"StopSong", ControlKind::kButton, {465, 1095, 320, 435}, "", "Stop Song"},
           {"NextSong", ControlKind::kButton, {795, 1095, 315, 435}, "", "Next Song"},
           {"PlayPauseSong", ControlKind::kButton, {1110, 1095, 520, 435}, "", "Play/Pause"}}};
}

MainFRM::MainFRM(Program& program)
    : Form(program.ports().forms, Design()), program_(program) {}

// Each step is guarded on its own and runs whatever became of the ones
// before it: a step that fails never keeps the window from showing.
void MainFRM::Load() {
  const Ports& ports = program_.ports();
  Guarded([&] { settings::LoadSettings(ports.profile, program_.Save()); });
  Guarded([&] { SetControlPanel(program_.Menu().PlayMenu); });
  Guarded([&] { ShapeMainFRM(Window()); });
  Guarded([&] { SetTopmost(Window()); });
  Guarded([&] { SendLine(kStartupLine); });
  Guarded([&] { SetTranslucency(Window(), kWorkingAlpha); });
  Guarded([&] {
    program_.Scan().SetLineHandler(
        [&program = program_](std::string_view speaker, std::string_view text) {
          commands::DispatchChatCommand(program, speaker, text);
        });
    program_.Scan().Start();
  });
  Guarded([&] { SetAutoAdv(program_.Save().AutoAdv); });
  autoAdvTag_ = "1";
  Guarded([&] { Show(); });
  Guarded([&] {
    if (!settings::IsOn(program_.Save().AutoStartWA)) return;
    SetControlPanel(program_.Menu().PauseMenu);
    player::StartWinamp(ports.windows, ports.launcher, program_.Save().Dir);
  });
}

void MainFRM::SetControlPanel(platform::Picture face) {
  face_ = face;
  window_->SetPicture("ControlPanel", face);
}

void MainFRM::SetAutoAdv(settings::CheckValue value) {
  if (value == autoAdv_) return;
  autoAdv_ = value;
  window_->SetCheck("AutoAdv", value);
  AutoAdvClicked();
}

// Stores the switch; turning it on remembers the song playing now, so only
// the next song is advertised. The message is left out while the load sets
// the stored value (the tag is not "1" yet).
void MainFRM::AutoAdvClicked() {
  const settings::CheckValue value = autoAdv_;
  settings::WriteSetting(program_.ports().profile, settings::kSettingsSection,
                         settings::key::kAutoAdv, std::to_string(value),
                         settings::kSettingsFile);
  program_.Save().AutoAdv = value;
  if (value == settings::kChecked) {
    Hide();
    SetNotTopmost(Window());
    if (autoAdvTag_ == "1" && autoAdv_ == settings::kChecked) {
      MessageFRM& message = program_.Message();
      message.SetTMP("MAIN");
      message.Show();
      message.SetInfo(kAutoAdvEnabledInfo);
    }
    report::CompilerFRM& compiler = program_.FreshReport();
    compiler.RememberSong(compiler.SongName);
    SetTopmost(Window());
  }
  program_.Save().AutoAdv = value;
}

// Sends pump messages, so any handler may run inside; the main window stays
// loaded until the program ends, so its own handlers may go on afterwards.
void MainFRM::SendLine(std::string_view fixedText) {
  std::string line = program_.Save().Ascii;
  line += fixedText;
  program_.Chat().Send(line);
}

void MainFRM::AdvertiseSong() {
  // Copied: the send lets other events run, and they may rebuild Data.
  const std::string report = program_.FreshReport().Data;
  program_.Chat().Send(report);
}

void MainFRM::OpenAbout() {
  Hide();
  program_.About().Show();
  SendLine(kAdvertLine);
  // The send pumps messages: the user may have closed the About window
  // meanwhile. It then left without the tag that brings this window back,
  // so it is handed back here rather than opened again.
  if (program_.AboutLoaded()) {
    program_.About().SetCaption("MAIN");
  } else {
    program_.HandBack("MAIN");
  }
}

void MainFRM::MinimizeToTray() {
  const report::CompilerFRM& compiler = program_.FreshReport();
  const std::string tip =
      "Tavrin: " + compiler.WAStatus + " - " + compiler.SongName;
  program_.Tray().TrayAdd(window_->Handle(), tip, window_->Icon());
  Hide();
}

void MainFRM::RestoreFromTray() {
  program_.Tray().TrayRemove();
  Show();
}

// Each step is guarded on its own: whatever fails, the program ends.
void MainFRM::ExitProgram() {
  Guarded([&] { Hide(); });
  Guarded([&] { SendLine(kFarewellLine); });
  Guarded([&] { program_.Tray().TrayRemove(); });
  Guarded([&] { program_.EndProgram(); });
}

// Decided by the face alone: the player is never asked.
void MainFRM::PlayPause() {
  platform::ForeignWindows& windows = program_.ports().windows;
  if (face_ == program_.Menu().PlayMenu) {
    player::WinampPlay(windows);
    SetControlPanel(program_.Menu().PauseMenu);
  } else {
    player::WinampPause(windows);
    SetControlPanel(program_.Menu().PlayMenu);
  }
}

void MainFRM::StopSong() {
  player::WinampStop(program_.ports().windows);
  SetControlPanel(program_.Menu().PlayMenu);
}

void MainFRM::PreviousSong() {
  player::WinampPlay(program_.ports().windows);
  player::WinampPrevious(program_.ports().windows);
  SetControlPanel(program_.Menu().PauseMenu);
}

void MainFRM::NextSong() {
  player::WinampPlay(program_.ports().windows);
  player::WinampNext(program_.ports().windows);
  SetControlPanel(program_.Menu().PauseMenu);
}

void MainFRM::OnClick(std::string_view control) {
  if (control == "AdvSongLBL") {
    AdvertiseSong();
  } else if (control == "AboutLBL") {
    OpenAbout();
  } else if (control == "OptionsLBL") {
    Hide();
    program_.ShowOptions();
  } else if (control == "ExitLBL") {
    ExitProgram();
  } else if (control == "MinimizeLBL") {
    MinimizeToTray();
  } else if (control == "AutoAdv") {
    SetAutoAdv(autoAdv_ == settings::kChecked ? settings::kUnchecked
                                              : settings::kChecked);
  } else if (control == "PrevSong") {
    PreviousSong();
  } else if (control == "NextSong") {
    NextSong();
  } else if (control == "StopSong") {
    StopSong();
  } else if (control == "PlayPauseSong") {
    PlayPause();
  }
}

// Closed by the system rather than by its exit button: the icon goes, and
// so does the program, which would otherwise live on with no window.
void MainFRM::OnSystemClose() {
  Guarded([&] { program_.Tray().TrayRemove(); });
  Guarded([&] { program_.EndProgram(); });
}

void MainFRM::OnShellRestarted() { program_.Tray().ShellRestarted(); }

}  // namespace tavrin::shell
