#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foreign_windows.h"
#include "platform/launcher.h"

// The link to the media player: its main window is found by class on every
// call and asked with window messages; nothing is kept between calls. An
// absent (or hung) player reads as 0 and "" and takes no commands; only
// ReadSongName tells a player that did not answer from one that is absent.
namespace tavrin::player {

using platform::ForeignWindows;
using platform::WindowHandle;

inline constexpr std::string_view kWinampClass = "Winamp v1.x";

// Play states as the player answers them.
inline constexpr std::int32_t kStopped = 0;
inline constexpr std::int32_t kPlaying = 1;
inline constexpr std::int32_t kPaused = 3;

// WM_USER queries: (wParam, lParam).
struct Query {
  std::uintptr_t wParam;
  std::intptr_t lParam;
};
inline constexpr Query kPlayStateQuery{0, 104};
inline constexpr Query kBitRateQuery{1, 126};
inline constexpr Query kPositionMsQuery{0, 105};
inline constexpr Query kLengthSecondsQuery{1, 105};

// WM_COMMAND ids of the player's transport buttons.
inline constexpr std::uintptr_t kPreviousCommand = 40044;
inline constexpr std::uintptr_t kPlayCommand = 40045;
inline constexpr std::uintptr_t kPauseCommand = 40046;
inline constexpr std::uintptr_t kStopCommand = 40047;
inline constexpr std::uintptr_t kNextCommand = 40048;

WindowHandle FindWinamp(ForeignWindows& windows);

std::string GetSongName(ForeignWindows& windows);
// The song's name, "" when the player is absent, or nothing when its window
// is there but did not answer in time (busy, hung or backed off): unknown.
std::optional<std::string> ReadSongName(ForeignWindows& windows);
// The same from the player's window found already.
std::optional<std::string> ReadSongName(ForeignWindows& windows,
                                        WindowHandle winamp);
std::int32_t GetBitRate(ForeignWindows& windows);
std::int32_t GetElapsedSeconds(ForeignWindows& windows);
std::int32_t GetLengthSeconds(ForeignWindows& windows);
// Asked without looking for the window first: a send to no window answers
// 0, so an absent player reads as stopped.
std::int32_t GetPlayState(ForeignWindows& windows);

// Time texts of the song report; "" when the player is absent.
std::string FormatElapsed(ForeignWindows& windows);
std::string FormatRemaining(ForeignWindows& windows);
std::string FormatLength(ForeignWindows& windows);

// Transport: one posted WM_COMMAND each; nothing when the player is absent.
void WinampPrevious(ForeignWindows& windows);
void WinampPlay(ForeignWindows& windows);
void WinampPause(ForeignWindows& windows);
void WinampStop(ForeignWindows& windows);
void WinampNext(ForeignWindows& windows);

// Starts the player's program file from `path` (minimised, no arguments, no
// wait; an empty or broken path is ignored), then sets a paused or stopped
// player that is already there playing.
void StartWinamp(ForeignWindows& windows, platform::Launcher& launcher,
                 std::string_view path);

}  // namespace tavrin::player
