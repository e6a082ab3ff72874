#include "standins/player_model.h"

#include <string>

#include "standins/peer_interface.h"
#include "standins/scrolling_caption.h"

namespace tavrin::standins {

PlayerModel::PlayerModel(const platform::Clock& clock,
                         std::vector<Song> playlist)
    : clock_(clock), playlist_(std::move(playlist)), settledAt_(clock.Now()) {}

std::vector<Song> PlayerModel::DemoPlaylist() {
  return {
      {"Artist - Title", 237, 128},
      {"Night Drive - Neon Harbour", 301, 192},
      {"The Quiet Band - Paper Boats", 184, 160},
  };
}

const Song* PlayerModel::CurrentSong() const {
  return current_ < playlist_.size() ? &playlist_[current_] : nullptr;
}

void PlayerModel::Settle() {
  const platform::Milliseconds now = clock_.Now();
  if (state_ == kPlaying) positionMs_ += (now - settledAt_).count();
  settledAt_ = now;
  while (state_ == kPlaying && !playlist_.empty()) {
    const std::int64_t lengthMs =
        static_cast<std::int64_t>(CurrentSong()->lengthSeconds) * 1000;
    if (lengthMs <= 0 || positionMs_ < lengthMs) break;
    positionMs_ -= lengthMs;
    current_ = (current_ + 1) % playlist_.size();
  }
}

void PlayerModel::Restart(std::int32_t state) {
  state_ = state;
  positionMs_ = 0;
}

std::string PlayerModel::Caption() {
  Settle();
  const Song* song = CurrentSong();
  if (song == nullptr) return "Winamp";
  std::string caption;
  if (numbering_) caption = std::to_string(current_ + 1) + ". ";
  caption += song->name + " - Winamp";
  if (scrollStep_.count() == 0) return caption;
  const auto steps = (clock_.Now() - scrollingSince_) / scrollStep_;
  return ScrolledCaption(caption, static_cast<std::size_t>(steps));
}

void PlayerModel::SetScrollStep(platform::Milliseconds step) {
  scrollStep_ = step;
  scrollingSince_ = clock_.Now();
}

std::int32_t PlayerModel::PositionMs() {
  Settle();
  return static_cast<std::int32_t>(positionMs_);
}

std::intptr_t PlayerModel::AnswerQuery(std::uintptr_t wParam,
                                       std::intptr_t lParam) {
  Settle();
  const Song* song = CurrentSong();
  const auto is = [&](peer::Query query) {
    return wParam == query.wParam && lParam == query.lParam;
  };
  if (is(peer::kPlayStateQuery)) return state_;
  if (is(peer::kBitRateQuery)) {
    return song != nullptr && state_ != kStopped ? song->bitRate : 0;
  }
  if (is(peer::kPositionMsQuery)) return static_cast<std::intptr_t>(positionMs_);
  if (is(peer::kLengthSecondsQuery)) {
    return song != nullptr ? song->lengthSeconds : -1;
  }
  return 0;
}

bool PlayerModel::Command(std::uintptr_t id) {
  Settle();
  const std::size_t count = playlist_.size();
  switch (id) {
    case peer::kPreviousButton:
      if (count != 0) current_ = (current_ + count - 1) % count;
      positionMs_ = 0;
      return true;
    case peer::kPlayButton:
      // Play resumes a paused track and starts a stopped or playing one over.
      if (state_ == kPaused) {
        state_ = kPlaying;
      } else if (count != 0) {
        Restart(kPlaying);
      }
      return true;
    case peer::kPauseButton:
      if (state_ == kPlaying) {
        state_ = kPaused;
      } else if (state_ == kPaused) {
        state_ = kPlaying;
      }
      return true;
    case peer::kStopButton:
      Restart(kStopped);
      return true;
    case peer::kNextButton:
      if (count != 0) current_ = (current_ + 1) % count;
      positionMs_ = 0;
      return true;
    default:
      return false;
  }
}

void PlayerModel::Add(Song song) { playlist_.push_back(std::move(song)); }

void PlayerModel::Clear() {
  playlist_.clear();
  current_ = 0;
  Restart(kStopped);
}

bool PlayerModel::Select(std::size_t number) {
  Settle();
  if (number == 0 || number > playlist_.size()) return false;
  current_ = number - 1;
  positionMs_ = 0;
  return true;
}

void PlayerModel::Seek(std::int32_t milliseconds) {
  Settle();
  positionMs_ = milliseconds;
}

}  // namespace tavrin::standins
