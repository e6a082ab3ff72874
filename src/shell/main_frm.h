#pragma once

#include <functional>
#include <string>

#include "settings/save_frm.h"
#include "shell/form.h"

namespace tavrin::shell {

// The main window. Its load is the program's start-up; its buttons post
// the song report and the program's lines, drive the player and open the
// About window; its exit button ends the program.
class MainFRM final : public Form {
 public:
  static platform::FormDesign Design();

  static constexpr std::string_view kStartupLine =
      " Tavrin By: Dunmarrow (Kestle) Successfully loaded.";
  static constexpr std::string_view kAdvertLine =
      " Tavrin By: Dunmarrow (Kestle). Advertises WinAmp Version 2, 3, and 5 "
      "to the AOL 7, 8, and 9 ChatRoom";
  static constexpr std::string_view kFarewellLine =
      " Tavrin By: Dunmarrow (Kestle) Session Ended.";

  explicit MainFRM(Program& program);
  // The start-up sequence.
  void Load();

  // The transport strip's face: the play face or the pause face.
  platform::Picture ControlPanel() const { return face_; }
  void SetControlPanel(platform::Picture face);

  // The auto-advertise box. Setting it to another value runs its click
  // handler, as a click does.
  settings::CheckValue AutoAdv() const { return autoAdv_; }
  void SetAutoAdv(settings::CheckValue value);
  const std::string& AutoAdvTag() const { return autoAdvTag_; }
  void SetAutoAdvClickHandler(std::function<void()> handler);

  void OnClick(std::string_view control) override;
  void OnSystemClose() override;
  void OnShellRestarted() override;

 private:
  void SendLine(std::string_view fixedText);
  void AdvertiseSong();
  void OpenAbout();
  void ExitProgram();
  void PlayPause();

  platform::Picture face_ = platform::Picture::kNone;
  settings::CheckValue autoAdv_ = settings::kUnchecked;
  std::string autoAdvTag_;
  std::function<void()> onAutoAdvClick_;
};

}  // namespace tavrin::shell
