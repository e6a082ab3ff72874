#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/clock.h"

namespace tavrin::standins {

struct Song {
  std::string name;
  std::int32_t lengthSeconds = 0;
  std::int32_t bitRate = 0;
};

// The stand-in media player: a playlist, a play state and a position that
// runs with the clock while playing. It answers the player's window-message
// interface; at the end of a track it goes on to the next one.
class PlayerModel {
 public:
  static constexpr std::int32_t kStopped = 0;
  static constexpr std::int32_t kPlaying = 1;
  static constexpr std::int32_t kPaused = 3;

  explicit PlayerModel(const platform::Clock& clock,
                       std::vector<Song> playlist = DemoPlaylist());

  static std::vector<Song> DemoPlaylist();

  // "<n>. <song> - Winamp", or "<song> - Winamp" with numbering off;
  // "Winamp" with an empty playlist. A song's caption scrolls while
  // scrolling is on.
  std::string Caption();

  // WM_USER (wParam, lParam) queries; unknown ones answer 0.
  std::intptr_t AnswerQuery(std::uintptr_t wParam, std::intptr_t lParam);

  // WM_COMMAND transport ids 40044 to 40048; returns false for other ids.
  bool Command(std::uintptr_t id);

  // Driver operations.
  void Add(Song song);
  void Clear();
  bool Select(std::size_t number);  // 1-based; loads the song at position 0
  void Seek(std::int32_t milliseconds);
  void SetNumbering(bool on) { numbering_ = on; }
  // The caption turns by one character every `step`, from now on; a step
  // of zero stops it.
  void SetScrollStep(platform::Milliseconds step);

  std::int32_t PlayState() const { return state_; }
  std::int32_t PositionMs();
  std::size_t Current() const { return current_; }  // 0-based
  const std::vector<Song>& Playlist() const { return playlist_; }

 private:
  void Settle();  // applies the time that passed: track ends move on
  void Restart(std::int32_t state);
  const Song* CurrentSong() const;

  const platform::Clock& clock_;
  std::vector<Song> playlist_;
  std::size_t current_ = 0;
  std::int32_t state_ = kStopped;
  std::int64_t positionMs_ = 0;      // at settledAt_
  platform::Milliseconds settledAt_{};
  bool numbering_ = true;
  platform::Milliseconds scrollStep_{0};
  platform::Milliseconds scrollingSince_{};
};

}  // namespace tavrin::standins
