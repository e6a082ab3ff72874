#pragma once

#include <string>

#include "shell/fader.h"
#include "shell/form.h"

namespace tavrin::shell {

// The program's own message box: a text, an OK button and a close button.
// Its label TMP holds the return tag; "MAIN" brings the main window back
// when the message has faded out.
class MessageFRM final : public Form {
 public:
  static platform::FormDesign Design();

  explicit MessageFRM(Program& program);
  void Load();

  void SetTMP(std::string_view tag);
  void SetInfo(std::string_view text);
  const std::string& TMP() const { return tmp_; }
  const std::string& Info() const { return info_; }

  void OnClick(std::string_view control) override;

  const Fader& Fades() const { return fader_; }

 private:
  void FadedOut();

  Fader fader_;
  std::string tmp_;
  std::string info_;
};

}  // namespace tavrin::shell
