#include "settings/song_adv_setup_frm.h"

#include <string>

#include "forms/effects.h"
#include "forms/guarded.h"
#include "settings/settings_store.h"

namespace tavrin::settings {

using platform::ControlKind;

const std::array<SongAdvSetupFRM::Toggle, 6>& SongAdvSetupFRM::Toggles() {
  static constexpr std::array<Toggle, 6> toggles = {{
      {"AsciiCB", key::kUseAscii, &SaveFRM::AsciiCB},
      {"SongNameCB", key::kUseSongName, &SaveFRM::SongNameCB},
      {"BitRateCB", key::kUseBitRate, &SaveFRM::BitRateCB},
      {"ElapRemCB", key::kUseElapRem, &SaveFRM::ElapRemCB},
      {"SongLenCB", key::kUseSongLen, &SaveFRM::SongLenCB},
      {"WAStatusCB", key::kUseWAStatus, &SaveFRM::WAStatusCB},
  }};
  return toggles;
}

platform::FormDesign SongAdvSetupFRM::Design() {
  return {"SongAdvSetupFRM",
          "Song Advertise Setup",
          4125,
          2460,
          platform::FormSkin::kSongAdvSetup,
          {{"DraggerBar", ControlKind::kDragBar, {0, 0, 3735, 315}, ""},
           {"ExitLBL", ControlKind::kButton, {3810, 0, 315, 315}, "", "Close"},
           {"AsciiCB", ControlKind::kCheckBox, {300, 690, 190, 200}, "",
            "Ascii decoration"},
           {"SongNameCB", ControlKind::kCheckBox, {300, 1290, 190, 200}, "",
            "Song name"},
           {"BitRateCB", ControlKind::kCheckBox, {300, 1890, 190, 200}, "",
            "Bit rate"},
           {"ElapRemCB", ControlKind::kCheckBox, {2270, 690, 190, 200}, "",
            "Elapsed/Left"},
           {"SongLenCB", ControlKind::kCheckBox, {2270, 1290, 190, 200}, "",
            "Song length"},
           {"WAStatusCB", ControlKind::kCheckBox, {2270, 1890, 190, 200}, "",
            "WinAmp status"}},
          "ExitLBL"};
}

// The fade counter starts at 0, the window's design-time Tag.
SongAdvSetupFRM::SongAdvSetupFRM(OptionsHost& host)
    : Form(host.Forms(), Design()),
      host_(host),
      fader_(*window_, host.Timers(), 0, [this] { FadedOut(); }) {}

// Every step runs even when one before it failed. A switch stored on
// changes its box from the first state and so writes its value back.
void SongAdvSetupFRM::Load() {
  for (std::size_t i = 0; i < Toggles().size(); ++i) {
    forms::Guarded(
        [&] { SetToggle(i, host_.Save().*Toggles()[i].holder); });
  }
  forms::Guarded([&] { forms::ShapeSongAdvSetupFRM(Window()); });
  forms::Guarded([&] { fader_.Load(); });
}

void SongAdvSetupFRM::OnClick(std::string_view control) {
  if (control == "ExitLBL") {
    fader_.EnableFadeOut();
    return;
  }
  for (std::size_t i = 0; i < Toggles().size(); ++i) {
    if (Toggles()[i].box == control) {
      SetToggle(i, values_[i] == kChecked ? kUnchecked : kChecked);
    }
  }
}

void SongAdvSetupFRM::SetToggle(std::size_t index, CheckValue value) {
  if (values_[index] == value) return;
  values_[index] = value;
  window_->SetCheck(Toggles()[index].box, value);
  ToggleClicked(index);
}

// The report picks the change up the next time it is built.
void SongAdvSetupFRM::ToggleClicked(std::size_t index) {
  const Toggle& toggle = Toggles()[index];
  const CheckValue value = values_[index];
  WriteSetting(host_.Profile(), kSettingsSection, toggle.key,
               std::to_string(value), kSettingsFile);
  host_.Save().*toggle.holder = value;
}

void SongAdvSetupFRM::FadedOut() {
  host_.ShowOptions();
  host_.UnloadSongAdvSetup();
}

}  // namespace tavrin::settings
