#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "platform/clock.h"
#include "platform/forms.h"

namespace tavrin::forms {

using platform::FormWindow;
using platform::Milliseconds;
using platform::Timer;
using platform::Timers;

// A window's fades. The counter (the window's Tag) steps by 10 on each tick
// of FadeIn up to the working opacity, and down by 10 on each tick of
// FadeOut; when it is no longer above 0 the fade-out ends and the window
// hands over. Both timers ask for 1 ms; the platform makes each step
// longer.
class Fader {
 public:
  static constexpr Milliseconds kInterval{1};

  Fader(FormWindow& window, Timers& timers, int counter,
        std::function<void()> onFadedOut);
  Fader(const Fader&) = delete;
  Fader& operator=(const Fader&) = delete;

  // What every faded window's load does: topmost, nearly invisible, shown,
  // fading in. A window may start its counter afresh here.
  void Load(std::optional<int> counter = std::nullopt);

  void EnableFadeIn();
  // Starting the fade-out stops a fade-in that still runs, so the two never
  // cancel each other's steps. Once the fade-out has ended the window is on
  // its way out: a further request (a click that a pump delivers during the
  // hand-over) starts nothing.
  void EnableFadeOut();
  bool FadeInEnabled() const { return fadeIn_ != nullptr; }

 private:
  void FadeInTick();
  void FadeOutTick();

  FormWindow& window_;
  Timers& timers_;
  int counter_;
  std::function<void()> onFadedOut_;
  std::unique_ptr<Timer> fadeIn_;
  std::unique_ptr<Timer> fadeOut_;
  bool fadedOut_ = false;
};

}  // namespace tavrin::forms
