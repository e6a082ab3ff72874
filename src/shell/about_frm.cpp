#include "shell/about_frm.h"

#include "shell/main_frm.h"
#include "shell/program.h"

namespace tavrin::shell {

platform::FormDesign AboutFRM::Design() {
  return {"AboutFRM",
          "About",
          5940,
          3330,
          platform::FormSkin::kAbout,
          {{"BackToMain", platform::ControlKind::kButton, {4200, 2700, 1500, 450},
            "Back"}},
          "BackToMain"};
}

AboutFRM::AboutFRM(Program& program)
    : Form(program.ports().forms, Design()),
      program_(program),
      fader_(*window_, program.ports().timers, 0, [this] { FadedOut(); }),
      caption_(Design().caption) {}

void AboutFRM::Load() { fader_.Load(1); }

void AboutFRM::SetCaption(std::string_view caption) {
  caption_ = caption;
  window_->SetCaption(caption);
}

void AboutFRM::OnClick(std::string_view control) {
  if (control == "BackToMain") fader_.EnableFadeOut();
}

void AboutFRM::FadedOut() {
  program_.HandBack(caption_);
  program_.UnloadAbout();
}

}  // namespace tavrin::shell
