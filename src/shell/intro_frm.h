#pragma once

#include "forms/fader.h"
#include "forms/form.h"

namespace tavrin::shell {

class Program;

// The splash: it fades in and waits for a double-click; at the end of its
// fade-out the main window comes, and the splash goes.
class IntroFRM final : public forms::Form {
 public:
  static platform::FormDesign Design();

  explicit IntroFRM(Program& program);
  void Load();

  void OnDoubleClick(std::string_view control) override;

 private:
  void FadedOut();

  Program& program_;
  forms::Fader fader_;
};

}  // namespace tavrin::shell
