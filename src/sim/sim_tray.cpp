#include "sim/sim_tray.h"

namespace tavrin::sim {

bool SimTray::Notify(platform::TrayCommand command,
                     const platform::IconRecord& record) {
  calls_.push_back({command, record});
  const std::pair key{record.window, record.id};
  if (command == platform::TrayCommand::kAdd) {
    return shown_.insert(key).second;
  }
  return shown_.erase(key) != 0;
}

}  // namespace tavrin::sim
