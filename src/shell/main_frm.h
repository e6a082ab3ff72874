#pragma once

#include <cstdint>
#include <string>

#include "commands/chat_commands.h"
#include "forms/form.h"
#include "settings/save_frm.h"

namespace tavrin::report {
class CompilerFRM;
}

namespace tavrin::shell {

class Program;

// The main window. Its load is the program's start-up; its buttons post
// the song report and the program's lines, drive the player and open the
// About window; its exit button ends the program.
class MainFRM final : public forms::Form {
 public:
  static platform::FormDesign Design();

  static constexpr std::string_view kStartupLine =
      " Tavrin By: Dunmarrow (Kestle) Successfully loaded.";
  static constexpr std::string_view kAdvertLine = commands::kAdvertLine;
  static constexpr std::string_view kFarewellLine =
      " Tavrin By: Dunmarrow (Kestle) Session Ended.";

  explicit MainFRM(Program& program);
  // The start-up sequence.
  void Load();

  // The transport strip's face: the play face or the pause face.
  platform::Picture ControlPanel() const { return face_; }
  void SetControlPanel(platform::Picture face);

  static constexpr std::string_view kAutoAdvEnabledInfo =
      "Auto Advertiser Enabled. When the song changes, It will be advertised "
      "automatically.";

  // The auto-advertise box. Setting it to another value runs its click
  // handler, as a click does.
  settings::CheckValue AutoAdv() const { return autoAdv_; }
  void SetAutoAdv(settings::CheckValue value);
  const std::string& AutoAdvTag() const { return autoAdvTag_; }

  // Into the notification area, with the song playing as the icon's tip;
  // and back.
  void MinimizeToTray();
  void RestoreFromTray();
  // Hides, says goodbye in the room, takes the icon away and ends; the
  // exit button, the tray menu's Exit and ".exit" all come here.
  void ExitProgram();

  // The left button pressed on the icon opens the "Main" menu, the right
  // one the "Advertise" menu; anything else opens nothing. Only while the
  // icon is shown: the shell's callback reuses the mouse-move message.
  void OnTrayIcon(std::uint32_t mouseMessage) override;

  void OnClick(std::string_view control) override;
  void OnSystemClose() override;
  void OnShellRestarted() override;

 private:
  void SendLine(std::string_view fixedText);
  void AdvertiseSong();
  void OpenAbout();
  void PlayPause();
  void StopSong();
  void PreviousSong();
  void NextSong();
  void AutoAdvClicked();
  // The tray menus' items, by name.
  void MainMenuChosen(std::string_view item);
  void AdvertiseMenuChosen(std::string_view item);
  // Posts a report field with its label and no decoration.
  void SendField(std::string_view label, std::string report::CompilerFRM::*field);
  void SendElapsedRemaining();
  void AboutFromTray();

  Program& program_;
  platform::Picture face_ = platform::Picture::kNone;
  settings::CheckValue autoAdv_ = settings::kUnchecked;
  std::string autoAdvTag_;
};

}  // namespace tavrin::shell
