#include "player/winamp_api.h"

#include <utility>

#include "player/song_title.h"
#include "player/time_text.h"

namespace tavrin::player {
namespace {

using platform::kNoWindow;
namespace msg = platform::msg;

// Numeric queries look the window up twice: once to learn that it is there,
// once to send to it.
std::int32_t AskWinamp(ForeignWindows& windows, Query query) {
  if (FindWinamp(windows) == kNoWindow) return 0;
  return static_cast<std::int32_t>(windows.Send(
      FindWinamp(windows), msg::kUser, query.wParam, query.lParam));
}

void PostCommand(ForeignWindows& windows, std::uintptr_t commandId) {
  if (FindWinamp(windows) == kNoWindow) return;
  windows.Post(FindWinamp(windows), msg::kCommand, commandId, 0);
}

}  // namespace

WindowHandle FindWinamp(ForeignWindows& windows) {
  return windows.FindTopLevel(kWinampClass);
}

std::string GetSongName(ForeignWindows& windows) {
  return ReadSongName(windows).value_or(std::string());
}

std::optional<std::string> ReadSongName(ForeignWindows& windows) {
  return ReadSongName(windows, FindWinamp(windows));
}

std::optional<std::string> ReadSongName(ForeignWindows& windows,
                                        WindowHandle winamp) {
  if (winamp == kNoWindow) return std::string();
  std::optional<std::string> title = windows.ReadText(winamp);
  if (!title) return std::nullopt;
  return CutSongName(std::move(*title));
}

std::int32_t GetBitRate(ForeignWindows& windows) {
  return AskWinamp(windows, kBitRateQuery);
}

std::int32_t GetElapsedSeconds(ForeignWindows& windows) {
  return RoundToSeconds(AskWinamp(windows, kPositionMsQuery));
}

std::int32_t GetLengthSeconds(ForeignWindows& windows) {
  return AskWinamp(windows, kLengthSecondsQuery);
}

std::int32_t GetPlayState(ForeignWindows& windows) {
  return static_cast<std::int32_t>(windows.Send(
      FindWinamp(windows), msg::kUser, kPlayStateQuery.wParam,
      kPlayStateQuery.lParam));
}

std::string FormatElapsed(ForeignWindows& windows) {
  if (FindWinamp(windows) == kNoWindow) return {};
  return FormatTimeText(GetElapsedSeconds(windows));
}

std::string FormatRemaining(ForeignWindows& windows) {
  if (FindWinamp(windows) == kNoWindow) return {};
  // Length first, then elapsed; 64 bits so that no pair of answers overflows.
  const std::int64_t length = GetLengthSeconds(windows);
  return FormatTimeText(length - GetElapsedSeconds(windows));
}

std::string FormatLength(ForeignWindows& windows) {
  if (FindWinamp(windows) == kNoWindow) return {};
  return FormatTimeText(GetLengthSeconds(windows));
}

void WinampPrevious(ForeignWindows& windows) {
  PostCommand(windows, kPreviousCommand);
}
void WinampPlay(ForeignWindows& windows) { PostCommand(windows, kPlayCommand); }
void WinampPause(ForeignWindows& windows) {
  PostCommand(windows, kPauseCommand);
}
void WinampStop(ForeignWindows& windows) { PostCommand(windows, kStopCommand); }
void WinampNext(ForeignWindows& windows) { PostCommand(windows, kNextCommand); }

void StartWinamp(ForeignWindows& windows, platform::Launcher& launcher,
                 std::string_view path) {
  if (!path.empty()) {
    launcher.Start(path, platform::ShowCommand::kShowMinimized);
  }
  if (GetPlayState(windows) == kPaused) WinampPlay(windows);
  if (GetPlayState(windows) == kStopped) WinampPlay(windows);
}

}  // namespace tavrin::player
