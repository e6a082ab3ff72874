#pragma once

#include <windows.h>

#include <string>

#include "event_log.h"
#include "standin_options.h"
#include "standins/driver.h"
#include "standins/player_model.h"
#include "win32/base/win32_clock.h"
#include "win32/base/win32_handles.h"

namespace tavrin::standins::winhost {

// The stand-in player as a program: a "Winamp v1.x" top-level window that
// answers the WM_USER queries, takes the WM_COMMAND transport ids and the
// driver's WM_COPYDATA commands, and shows the playing song.
class PlayerWindow final : public PlayerHost {
 public:
  explicit PlayerWindow(const StandinOptions& options);
  PlayerWindow(const PlayerWindow&) = delete;
  PlayerWindow& operator=(const PlayerWindow&) = delete;

  // Registers the class and shows the window; false when that failed.
  bool Open(int showCommand);

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam);

  PlayerModel& Player() override { return model_; }
  void TitleChanged() override;
  void Hang(std::chrono::milliseconds duration) override;
  void Close() override;
  void ReportChanges(bool on) override { reportChanges_ = on; }

 private:
  LRESULT OnCopyData(LPARAM lParam);
  void OnCommand(WPARAM wParam);

  tavrin::win32::Win32Clock clock_;
  PlayerModel model_;
  EventLog log_;
  std::wstring shownCaption_;
  bool reportChanges_;
  tavrin::win32::UniqueWindow window_;  // last: destroyed first
};

}  // namespace tavrin::standins::winhost
