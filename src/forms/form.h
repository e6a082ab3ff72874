#pragma once

#include <memory>

#include "forms/dragger.h"
#include "platform/forms.h"

namespace tavrin::forms {

using platform::FormDesign;
using platform::FormEvents;
using platform::FormWindow;
using platform::FormsToolkit;
using platform::MouseButton;

// What every form has: its window, made by the toolkit from its design.
// The window goes when the form is unloaded. A form with a DraggerBar is
// moved by it.
class Form : public FormEvents {
 public:
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  FormWindow& Window() { return *window_; }
  void Show() { window_->Show(); }
  void Hide() { window_->Hide(); }
  // Opened again while loaded: made visible and active as it was left. Its
  // load does not run again, so nothing is filled twice and a fade it is in
  // goes on.
  void ShowAgain() {
    window_->Show();
    window_->Activate();
  }

  void OnMouseDown(std::string_view control, MouseButton button, float x,
                   float y) override;
  void OnMouseMove(std::string_view control, MouseButton button, float x,
                   float y) override;
  void OnMouseUp(std::string_view control, MouseButton button, float x,
                 float y) override;

 protected:
  Form(FormsToolkit& forms, const FormDesign& design);

  std::unique_ptr<FormWindow> window_;
  Dragger dragger_;
};

}  // namespace tavrin::forms
