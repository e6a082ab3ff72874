#include "sim/sim_player.h"

#include "standins/peer_interface.h"

namespace tavrin::sim {

SimPlayer::SimPlayer(SimDesktop& desktop, std::vector<standins::Song> playlist,
                     SimDesktop::Charset charset)
    : desktop_(desktop),
      process_(desktop.NewProcess(charset)),
      model_(desktop.Clock(), std::move(playlist)) {
  shownCaption_ = model_.Caption();
  window_ = desktop_.Create(
      process_, standins::peer::kPlayerClass, shownCaption_, platform::kNoWindow,
      [this](WindowHandle, unsigned message, std::uintptr_t wParam,
             std::intptr_t lParam) { return Answer(message, wParam, lParam); });
  titleTimer_ = desktop_.Clock().Start(platform::Milliseconds(100),
                                       [this] { TitleChanged(); });
}

SimPlayer::~SimPlayer() { Close(); }

std::intptr_t SimPlayer::Answer(unsigned message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
  if (message == standins::peer::kWmUser) return model_.AnswerQuery(wParam, lParam);
  if (message == standins::peer::kWmCommand) {
    received_.push_back(wParam);
    model_.Command(wParam);
    TitleChanged();
  }
  return 0;
}

void SimPlayer::ReportChanges(bool on) {
  desktop_.ReportTextChanges(process_, on);
}

void SimPlayer::TitleChanged() {
  if (window_ == platform::kNoWindow || desktop_.HungFor(window_).count() > 0) {
    return;
  }
  // Set only when it changed, as the stand-in program does: a set is a
  // report of a change to whoever watches.
  std::string caption = model_.Caption();
  if (caption == shownCaption_) return;
  desktop_.SetTextOf(window_, caption);
  shownCaption_ = std::move(caption);
}

void SimPlayer::Hang(platform::Milliseconds duration) {
  desktop_.Hang(process_, duration);
}

void SimPlayer::Close() {
  titleTimer_.reset();
  desktop_.Destroy(window_);
  window_ = platform::kNoWindow;
}

}  // namespace tavrin::sim
