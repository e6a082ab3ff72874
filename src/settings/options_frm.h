#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "forms/fader.h"
#include "forms/form.h"
#include "settings/options_host.h"
#include "settings/save_frm.h"

namespace tavrin::settings {

// The Options window: the decoration, the player's program file and the
// switch that starts the player with the program. Its three values are
// committed together, file first and holder second, whenever the switch
// changes and when the window closes; what is typed in its boxes takes
// effect only then. Closing always commits.
class OptionsFRM final : public forms::Form {
 public:
  // The Open dialog admits only the player's own program file.
  static constexpr platform::FileFilter kPlayerFilter = {
      "Winamp Executable (winamp.exe)", "winamp.exe"};
  // The decoration goes in front of every line sent: a few symbols, not a
  // sentence.
  static constexpr int kAsciiMaxLength = 24;

  static platform::FormDesign Design();

  explicit OptionsFRM(OptionsHost& host);
  ~OptionsFRM() override;
  void Load();

  void OnClick(std::string_view control) override;

 private:
  void SetAutoStartWA(CheckValue value);
  void AutoStartWAClicked();
  void Commit();
  void SelectDir();
  void OpenSongAdvSetup();
  void FadedOut();

  OptionsHost& host_;
  forms::Fader fader_;
  CheckValue autoStartWA_ = kUnchecked;
  // The Open dialog's file name: the last file chosen while the window is
  // loaded, offered again at the next opening of the dialog.
  std::string chosenFile_;
  // False once the window has gone: the Open dialog pumps messages, and the
  // click that opened it touches nothing of a window unloaded meanwhile.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace tavrin::settings
