#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sim/sim_desktop.h"
#include "standins/driver.h"
#include "standins/player_model.h"

namespace tavrin::sim {

// The stand-in player as a process of the sim desktop: its top-level
// "Winamp v1.x" window answers the queries and takes the transport commands.
class SimPlayer final : public standins::PlayerHost {
 public:
  explicit SimPlayer(SimDesktop& desktop,
                     std::vector<standins::Song> playlist =
                         standins::PlayerModel::DemoPlaylist(),
                     SimDesktop::Charset charset = SimDesktop::Charset::kUnicode);
  ~SimPlayer() override;
  SimPlayer(const SimPlayer&) = delete;
  SimPlayer& operator=(const SimPlayer&) = delete;

  // A driver command (see standins/driver.h).
  bool Drive(std::string_view command) {
    return standins::ApplyPlayerCommand(*this, command);
  }

  WindowHandle Window() const { return window_; }
  // The WM_COMMAND ids the window received, in order.
  const std::vector<std::uintptr_t>& ReceivedCommands() const {
    return received_;
  }

  standins::PlayerModel& Player() override { return model_; }
  void TitleChanged() override;
  void Hang(platform::Milliseconds duration) override;
  void Close() override;
  // Off at first: the sim's player is polled unless a test says otherwise.
  void ReportChanges(bool on) override;

 private:
  std::intptr_t Answer(unsigned message, std::uintptr_t wParam,
                       std::intptr_t lParam);

  SimDesktop& desktop_;
  SimDesktop::ProcessId process_;
  std::string shownCaption_;
  standins::PlayerModel model_;
  WindowHandle window_;
  std::vector<std::uintptr_t> received_;
  // The title follows the playlist as tracks end, like the player's own
  // display timer.
  std::unique_ptr<platform::Timer> titleTimer_;
};

}  // namespace tavrin::sim
