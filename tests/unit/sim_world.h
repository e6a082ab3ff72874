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

  sim::SimPlayer& StartPlayer() {
    player = std::make_unique<sim::SimPlayer>(desktop);
    return *player;
  }
  sim::SimChat& StartChat() {
    chat = std::make_unique<sim::SimChat>(desktop);
    return *chat;
  }
  // Lets the peers take their posted messages.
  void Pump() { desktop.PumpOnce(); }
};

}  // namespace tavrin::testing
