#pragma once

#include <string>

#include "forms/fader.h"
#include "forms/form.h"

namespace tavrin::shell {

class Program;

// The About window. Its caption is its return tag: "MAIN" when its opener
// hid the main window, which then comes back when this window has faded
// out.
class AboutFRM final : public forms::Form {
 public:
  static platform::FormDesign Design();

  explicit AboutFRM(Program& program);
  void Load();

  void SetCaption(std::string_view caption);

  void OnClick(std::string_view control) override;

 private:
  void FadedOut();

  Program& program_;
  forms::Fader fader_;
  std::string caption_;
};

}  // namespace tavrin::shell
