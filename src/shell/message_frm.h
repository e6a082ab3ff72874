#pragma once

#include <string>

#include "forms/fader.h"
#include "forms/form.h"

namespace tavrin::shell {

class Program;

// The program's own message box: a text, an OK button and a close button.
// Its label TMP holds the return tag; "MAIN" brings the main window back
// when the message has faded out.
class MessageFRM final : public forms::Form {
 public:
  static platform::FormDesign Design();

  explicit MessageFRM(Program& program);
  void Load();

  void SetTMP(std::string_view tag);
  void SetInfo(std::string_view text);

  void OnClick(std::string_view control) override;

 private:
  void FadedOut();

  Program& program_;
  forms::Fader fader_;
  std::string tmp_;
};

}  // namespace tavrin::shell
