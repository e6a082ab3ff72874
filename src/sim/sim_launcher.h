#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/launcher.h"

namespace tavrin::sim {

// Starts the programs installed at exact paths, and records every start.
class SimLauncher final : public platform::Launcher {
 public:
  struct Launch {
    std::string path;
    platform::ShowCommand show;
  };

  void Install(std::string path, std::function<void()> start) {
    programs_[std::move(path)] = std::move(start);
  }
  bool Start(std::string_view path, platform::ShowCommand show) override;
  const std::vector<Launch>& Launches() const { return launches_; }

 private:
  std::map<std::string, std::function<void()>, std::less<>> programs_;
  std::vector<Launch> launches_;
};

}  // namespace tavrin::sim
