#pragma once

#include <set>
#include <utility>
#include <vector>

#include "platform/tray.h"

namespace tavrin::sim {

// The shell's notification area: it keeps one icon per window and id, keeps
// the first of two adds, and refuses to delete an icon it does not have.
class SimTray final : public platform::Tray {
 public:
  struct Call {
    platform::TrayCommand command;
    platform::IconRecord record;
  };

  bool Notify(platform::TrayCommand command,
              const platform::IconRecord& record) override;

  // The shell restarts: every icon is gone.
  void Restart() { shown_.clear(); }

  bool Shows(platform::WindowHandle window, std::uint32_t id) const {
    return shown_.count({window, id}) != 0;
  }
  std::size_t IconCount() const { return shown_.size(); }
  const std::vector<Call>& Calls() const { return calls_; }

 private:
  std::set<std::pair<platform::WindowHandle, std::uint32_t>> shown_;
  std::vector<Call> calls_;
};

}  // namespace tavrin::sim
