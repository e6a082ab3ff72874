#include "shell/message_frm.h"

#include "forms/effects.h"
#include "shell/main_frm.h"
#include "shell/program.h"

namespace tavrin::shell {

using platform::ControlKind;

platform::FormDesign MessageFRM::Design() {
  return {"MessageFRM",
          "Message",
          4125,
          2460,
          platform::FormSkin::kMessage,
          {{"DraggerBar", ControlKind::kDragBar, {0, 0, 3735, 315}, "Message"},
           {"ExitLBL", ControlKind::kButton, {3810, 0, 315, 315}, "", "Close"},
           {"Info", ControlKind::kText, {150, 600, 3825, 1050}, "Information"},
           {"OKAY", ControlKind::kPicture, {1537, 1800, 1050, 420}, "OK"},
           {"TMP", ControlKind::kHolder, {0, 0, 0, 0}, ""}},
          "ExitLBL"};
}

MessageFRM::MessageFRM(Program& program)
    : Form(program.ports().forms, Design()),
      program_(program),
      fader_(*window_, program.ports().timers, 0, [this] { FadedOut(); }) {
  window_->SetPicture("OKAY", platform::Picture::kOkButton);
}

void MessageFRM::Load() {
  forms::ShapeSongAdvSetupFRM(Window());
  fader_.Load();
}

void MessageFRM::SetTMP(std::string_view tag) {
  tmp_ = tag;
  window_->SetControlText("TMP", tag);
}

void MessageFRM::SetInfo(std::string_view text) {
  window_->SetControlText("Info", text);
}

void MessageFRM::OnClick(std::string_view control) {
  if (control == "ExitLBL" || control == "OKAY") fader_.EnableFadeOut();
}

void MessageFRM::FadedOut() {
  program_.HandBack(tmp_);
  program_.UnloadMessage();
}

}  // namespace tavrin::shell
