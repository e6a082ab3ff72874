#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "forms/fader.h"
#include "forms/form.h"
#include "settings/options_host.h"
#include "settings/save_frm.h"

namespace tavrin::settings {

// The advertisement-setup window: six switches choosing the fields of the
// song report. Each is written to the file and copied into the holder the
// moment it changes. Closing it brings back the Options window.
class SongAdvSetupFRM final : public forms::Form {
 public:
  struct Toggle {
    std::string_view box;  // the window's box and the holder's of that name
    std::string_view key;
    CheckValue SaveFRM::*holder;
  };
  // In the order the load sets them.
  static const std::array<Toggle, 6>& Toggles();

  static platform::FormDesign Design();

  explicit SongAdvSetupFRM(OptionsHost& host);
  void Load();

  void OnClick(std::string_view control) override;

 private:
  // Sets the box of Toggles()[index]; a change runs its click handler.
  void SetToggle(std::size_t index, CheckValue value);
  void ToggleClicked(std::size_t index);
  void FadedOut();

  OptionsHost& host_;
  forms::Fader fader_;
  std::array<CheckValue, 6> values_{};
};

}  // namespace tavrin::settings
