// The main window's side of the notification-area icon: the icon's mouse
// events and the items of its two menus.
#include <string>

#include "forms/guarded.h"
#include "report/compiler_frm.h"
#include "shell/about_frm.h"
#include "shell/main_frm.h"
#include "shell/program.h"

namespace tavrin::shell {

using forms::Guarded;

namespace {

constexpr std::uint32_t kLeftButtonDown = 513;
constexpr std::uint32_t kRightButtonDown = 516;

}  // namespace

void MainFRM::OnTrayIcon(std::uint32_t mouseMessage) {
  if (!program_.Tray().Shown()) return;
  // The menu is open until the user chooses or clicks elsewhere, and
  // messages run meanwhile; the main window lives until the program ends.
  Guarded([&] {
    if (mouseMessage == kLeftButtonDown) {
      MainMenuChosen(window_->PopupMenu(MenuFRM::MenuMNU));
    } else if (mouseMessage == kRightButtonDown) {
      AdvertiseMenuChosen(window_->PopupMenu(MenuFRM::AdvMenuMNU));
    }
  });
}

void MainFRM::MainMenuChosen(std::string_view item) {
  if (item == "CommandsMNU") {
    program_.ShowCommands();
  } else if (item == "ExitMNU") {
    ExitProgram();
  } else if (item == "AboutMNU") {
    AboutFromTray();
  } else if (item == "RestoreMNU") {
    RestoreFromTray();
  }
}

void MainFRM::AdvertiseMenuChosen(std::string_view item) {
  using report::CompilerFRM;
  if (item == "AdvSongName") {
    SendField("Song Name: ", &CompilerFRM::SongName);
  } else if (item == "AdvBitRate") {
    SendField("BitRate: ", &CompilerFRM::BitRate);
  } else if (item == "AdvEandR") {
    SendElapsedRemaining();
  } else if (item == "AdvTrackLen") {
    SendField("Track Length: ", &CompilerFRM::TrackLength);
  } else if (item == "AdvWAStatus") {
    SendField("Winamp Status: ", &CompilerFRM::WAStatus);
  } else if (item == "PorPSong") {
    PlayPause();
  } else if (item == "StopSong") {
    StopSong();
  } else if (item == "PrevSong") {
    PreviousSong();
  } else if (item == "NextSong") {
    NextSong();
  } else if (item == "FullSongADV") {
    AdvertiseSong();
  }
}

void MainFRM::SendField(std::string_view label,
                        std::string report::CompilerFRM::*field) {
  const report::CompilerFRM& compiler = program_.FreshReport();
  const std::string line = std::string(label) + compiler.*field;
  program_.Chat().Send(line);
}

void MainFRM::SendElapsedRemaining() {
  const report::CompilerFRM& compiler = program_.FreshReport();
  const std::string line =
      "Elapsed/Remaining: " + compiler.Elapsed + "/" + compiler.Remaining;
  program_.Chat().Send(line);
}

// From the tray the main window stays hidden: the About window's return
// tag is "MENU", which brings nothing back.
void MainFRM::AboutFromTray() {
  Guarded([&] { program_.About().Show(); });
  Guarded([&] { SendLine(kAdvertLine); });
  // The send pumps: a window closed meanwhile is not opened again.
  Guarded([&] {
    if (program_.AboutLoaded()) program_.About().SetCaption("MENU");
  });
}

}  // namespace tavrin::shell
