#include "forms/form.h"

namespace tavrin::forms {

Form::Form(FormsToolkit& forms, const FormDesign& design)
    : window_(forms.Create(design, *this)) {}

namespace {
constexpr std::string_view kDraggerBar = "DraggerBar";
}

void Form::OnMouseDown(std::string_view control, MouseButton, float x,
                       float y) {
  if (control == kDraggerBar) dragger_.MouseDown(x, y);
}

void Form::OnMouseMove(std::string_view control, MouseButton, float x,
                       float y) {
  if (control == kDraggerBar) {
    dragger_.MouseMove(*window_, x, y);
  }
}

void Form::OnMouseUp(std::string_view control, MouseButton, float x, float y) {
  if (control == kDraggerBar) {
    dragger_.MouseUp(*window_, x, y);
  }
}

}  // namespace tavrin::forms
