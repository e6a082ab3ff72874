#pragma once

namespace tavrin::forms {

// Runs one step of a handler whose steps are each guarded on their own: a
// step that fails is skipped, nothing is shown, and the handler goes on
// with the next one. Nothing escapes into a window procedure or a timer.
template <typename Step>
void Guarded(Step&& step) noexcept {
  try {
    step();
  } catch (...) {
  }
}

}  // namespace tavrin::forms
