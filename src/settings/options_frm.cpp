#include "settings/options_frm.h"

#include "forms/effects.h"
#include "settings/settings_store.h"
#include "settings/stored_path.h"

namespace tavrin::settings {

using platform::ControlKind;

platform::FormDesign OptionsFRM::Design() {
  // As tall as its outline, whose body reaches row 152: the body's lower
  // edge and the WADir label lie inside the window.
  return {"OptionsFRM",
          "Options",
          3960,
          2280,
          platform::FormSkin::kOptions,
          {{"DraggerBar", ControlKind::kDragBar, {0, 0, 3570, 315}, ""},
           {"ExitLBL", ControlKind::kButton, {3640, 0, 315, 315}, "", "Close"},
           {"SongAdvSetup", ControlKind::kButton, {120, 570, 2010, 360},
            "Advertise Setup"},
           {"Ascii", ControlKind::kTextBox, {3000, 610, 840, 285}, "", "Ascii",
            kAsciiMaxLength},
           {"AutoStartWA", ControlKind::kCheckBox, {270, 1200, 190, 200}, "",
            "Start WinAmp with Tavrin"},
           {"Dir", ControlKind::kTextBox, {870, 1560, 2490, 285}, "", "Path"},
           {"SelectDIR", ControlKind::kButton, {3470, 1560, 370, 280}, "...",
            "Choose WinAmp"},
           // Holds nothing and does nothing; kept for its place.
           {"WADir", ControlKind::kHolder, {3470, 1850, 370, 280}, ""}},
          "ExitLBL"};
}

// The fade counter starts at 1, the window's design-time Tag.
OptionsFRM::OptionsFRM(OptionsHost& host)
    : Form(host.Forms(), Design()),
      host_(host),
      fader_(*window_, host.Timers(), 1, [this] { FadedOut(); }) {}

OptionsFRM::~OptionsFRM() { *alive_ = false; }

// A stored switch that is on changes the box from its first state, and so
// runs its handler: the values just loaded are committed again before the
// window shows.
void OptionsFRM::Load() {
  const SaveFRM& holder = host_.Save();
  window_->SetControlText("Dir", holder.Dir);
  window_->SetControlText("Ascii", holder.Ascii);
  if (holder.AutoStartWA == kChecked) SetAutoStartWA(kChecked);
  forms::ShapeOptionsFRM(Window());
  fader_.Load();
}

void OptionsFRM::OnClick(std::string_view control) {
  if (control == "AutoStartWA") {
    SetAutoStartWA(autoStartWA_ == kChecked ? kUnchecked : kChecked);
  } else if (control == "SelectDIR") {
    SelectDir();
  } else if (control == "SongAdvSetup") {
    OpenSongAdvSetup();
  } else if (control == "ExitLBL") {
    Commit();
    fader_.EnableFadeOut();
  }
}

void OptionsFRM::SetAutoStartWA(CheckValue value) {
  if (value == autoStartWA_) return;
  autoStartWA_ = value;
  window_->SetCheck("AutoStartWA", value);
  AutoStartWAClicked();
}

// Switching the start off also forgets the path: the box is emptied and
// locked, and the commit stores the empty path.
void OptionsFRM::AutoStartWAClicked() {
  if (autoStartWA_ == kUnchecked) {
    window_->SetLocked("Dir", true);
    window_->SetControlText("Dir", "");
  } else if (autoStartWA_ == kChecked) {
    window_->SetLocked("Dir", false);
  }
  Commit();
}

// The holder takes the texts as they were stored: on one line. The path
// stays as typed there; the file may hold its short form, which the code
// page can name.
void OptionsFRM::Commit() {
  const std::string ascii = OneLine(window_->ControlText("Ascii"));
  const std::string dir = OneLine(window_->ControlText("Dir"));
  platform::ProfileFile& profile = host_.Profile();
  WriteSetting(profile, kSettingsSection, key::kAscii, ascii, kSettingsFile);
  WriteSetting(profile, kSettingsSection, key::kAutoLoadWA,
               std::to_string(autoStartWA_), kSettingsFile);
  WriteSetting(profile, kSettingsSection, key::kWinampDIR,
               StoredPath(host_.FileNames(), dir), kSettingsFile);
  SaveFRM& holder = host_.Save();
  holder.Dir = dir;
  holder.AutoStartWA = autoStartWA_;
  holder.Ascii = ascii;
}

// Nothing is stored here; the next commit does that. A cancelled dialog
// leaves the box as it was, so pressing Cancel never loses the path. The
// dialog fills the box even while it is locked.
void OptionsFRM::SelectDir() {
  const std::shared_ptr<bool> alive = alive_;
  const std::optional<std::string> chosen =
      window_->ChooseFileToOpen(kPlayerFilter, chosenFile_);
  if (!*alive) return;
  if (chosen) {
    chosenFile_ = *chosen;
    window_->SetControlText("Dir", *chosen);
  }
  window_->Focus("Dir");
}

// The window stays loaded, with what was typed in it, until the setup
// window hands back. The setup window shows before this one hides, so that
// it takes the keyboard from it: hidden first, this window would pass the
// keyboard to another program's window.
void OptionsFRM::OpenSongAdvSetup() {
  host_.ShowSongAdvSetup();
  Hide();
}

void OptionsFRM::FadedOut() {
  host_.HandBack("MAIN");
  host_.UnloadOptions();
}

}  // namespace tavrin::settings
