#include "sim/sim_launcher.h"

namespace tavrin::sim {

bool SimLauncher::Start(std::string_view path, platform::ShowCommand show) {
  launches_.push_back({std::string(path), show});
  const auto program = programs_.find(path);
  if (program == programs_.end()) return false;
  program->second();
  return true;
}

}  // namespace tavrin::sim
