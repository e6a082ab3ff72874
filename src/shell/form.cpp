#include "shell/form.h"

#include "shell/program.h"

namespace tavrin::shell {

Form::Form(Program& program, const platform::FormDesign& design)
    : program_(program),
      window_(program.ports().forms.Create(design, *this)) {}

namespace {
constexpr std::string_view kDraggerBar = "DraggerBar";
}

void Form::OnMouseDown(std::string_view control, platform::MouseButton,
                       float x, float y) {
  if (control == kDraggerBar) dragger_.MouseDown(x, y);
}

void Form::OnMouseMove(std::string_view control, platform::MouseButton,
                       float x, float y) {
  if (control == kDraggerBar) {
    dragger_.MouseMove(*window_, x, y);
  }
}

void Form::OnMouseUp(std::string_view control, platform::MouseButton, float x,
                     float y) {
  if (control == kDraggerBar) {
    dragger_.MouseUp(*window_, x, y);
  }
}

}  // namespace tavrin::shell
