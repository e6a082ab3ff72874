#include "forms/fader.h"

#include <utility>

#include "forms/effects.h"

namespace tavrin::forms {

Fader::Fader(FormWindow& window, Timers& timers, int counter,
             std::function<void()> onFadedOut)
    : window_(window),
      timers_(timers),
      counter_(counter),
      onFadedOut_(std::move(onFadedOut)) {}

void Fader::Load(std::optional<int> counter) {
  SetTopmost(window_);
  SetTranslucency(window_, 1);
  if (counter) counter_ = *counter;
  window_.Show();
  EnableFadeIn();
}

void Fader::EnableFadeIn() {
  if (!fadeIn_) fadeIn_ = timers_.Start(kInterval, [this] { FadeInTick(); });
}

void Fader::EnableFadeOut() {
  if (fadedOut_) return;
  fadeIn_.reset();
  if (!fadeOut_) fadeOut_ = timers_.Start(kInterval, [this] { FadeOutTick(); });
}

void Fader::FadeInTick() {
  counter_ += 10;
  SetTranslucency(window_, static_cast<std::int16_t>(counter_));
  if (counter_ >= kWorkingAlpha) {
    SetTranslucency(window_, kWorkingAlpha);
    fadeIn_.reset();
  }
}

void Fader::FadeOutTick() {
  counter_ -= 10;
  // A counter that started at 1 ends at -9, which is refused: that window
  // goes at opacity 1.
  SetTranslucency(window_, static_cast<std::int16_t>(counter_));
  if (counter_ > 0) return;
  fadeOut_.reset();
  fadedOut_ = true;
  // The hand-over usually unloads the window that owns this fader: run a
  // copy, and touch nothing here afterwards.
  const auto handOver = onFadedOut_;
  handOver();
}

}  // namespace tavrin::forms
