#pragma once

#include <memory>

#include "settings/save_frm.h"
#include "sim/sim_chat.h"
#include "sim/sim_desktop.h"
#include "sim/sim_foreign_windows.h"
#include "sim/sim_launcher.h"
#include "sim/sim_player.h"
#include "sim/virtual_clock.h"

namespace tavrin::testing {

// One simulated desktop with the program's side of it and, on request, the
// stand-in peers.
struct SimWorld {
  sim::VirtualClock clock;
  sim::SimDesktop desktop{clock};
  sim::SimForeignWindows windows{desktop};
  sim::SimLauncher launcher;
  settings::SaveFRM saved;

  std::unique_ptr<sim::SimPlayer> player;
  std::unique_ptr<sim::SimChat> chat;

  sim::SimPlayer& StartPlayer(
      std::vector<standins::Song> playlist =
          standins::PlayerModel::DemoPlaylist(),
      sim::SimDesktop::Charset charset = sim::SimDesktop::Charset::kUnicode) {
    player = std::make_unique<sim::SimPlayer>(desktop, std::move(playlist),
                                              charset);
    return *player;
  }
  sim::SimChat& StartChat(
      sim::SimDesktop::Charset charset = sim::SimDesktop::Charset::kUnicode) {
    chat = std::make_unique<sim::SimChat>(
        desktop, standins::kDefaultScreenName, charset);
    return *chat;
  }
  // Lets the peers take their posted messages.
  void Pump() { desktop.PumpOnce(); }
};

}  // namespace tavrin::testing
