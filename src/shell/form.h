#pragma once

#include <memory>

#include "platform/forms.h"
#include "shell/dragger.h"

namespace tavrin::shell {

class Program;

// What every form has: its window, made from its design, and the program
// it belongs to. The window goes when the form is unloaded. A form with a
// DraggerBar is moved by it.
class Form : public platform::FormEvents {
 public:
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  platform::FormWindow& Window() { return *window_; }
  void Show() { window_->Show(); }
  void Hide() { window_->Hide(); }
  // Opened again while loaded: made visible and active as it was left. Its
  // load does not run again, so nothing is filled twice and a fade it is in
  // goes on.
  void ShowAgain() {
    window_->Show();
    window_->Activate();
  }

  void OnMouseDown(std::string_view control, platform::MouseButton button,
                   float x, float y) override;
  void OnMouseMove(std::string_view control, platform::MouseButton button,
                   float x, float y) override;
  void OnMouseUp(std::string_view control, platform::MouseButton button,
                 float x, float y) override;

 protected:
  Form(Program& program, const platform::FormDesign& design);

  Program& program_;
  std::unique_ptr<platform::FormWindow> window_;
  Dragger dragger_;
};

}  // namespace tavrin::shell
