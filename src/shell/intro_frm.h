#pragma once

#include "shell/fader.h"
#include "shell/form.h"

namespace tavrin::shell {

// The splash: it fades in and waits for a double-click; at the end of its
// fade-out the main window comes, and the splash goes.
class IntroFRM final : public Form {
 public:
  static platform::FormDesign Design();

  explicit IntroFRM(Program& program);
  void Load();

  void OnDoubleClick(std::string_view control) override;

 private:
  void FadedOut();

  Fader fader_;
};

}  // namespace tavrin::shell
