#include "shell/intro_frm.h"

#include "shell/main_frm.h"
#include "shell/program.h"

namespace tavrin::shell {

platform::FormDesign IntroFRM::Design() {
  return {"IntroFRM", "Introduction Window", 6000, 4395,
          platform::FormSkin::kSplash, {}};
}

IntroFRM::IntroFRM(Program& program)
    : Form(program.ports().forms, Design()),
      program_(program),
      fader_(*window_, program.ports().timers, 0, [this] { FadedOut(); }) {}

void IntroFRM::Load() { fader_.Load(1); }

// A double-click during the fade-in is ignored.
void IntroFRM::OnDoubleClick(std::string_view) {
  if (!fader_.FadeInEnabled()) fader_.EnableFadeOut();
}

void IntroFRM::FadedOut() {
  // The main window's load posts its start-up line, which pumps messages:
  // the splash may be unloaded by the time it returns, so nothing of it is
  // touched afterwards.
  Program& program = program_;
  program.Main().Show();
  program.UnloadIntro();
}

}  // namespace tavrin::shell
