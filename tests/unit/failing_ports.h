#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "forwarding_profile.h"
#include "forwarding_windows.h"
#include "platform/clock.h"
#include "platform/profile_file.h"
#include "platform/tray.h"

// Ports that note their calls in a journal and, once armed, make their next
// call fail by throwing, as a platform call that goes wrong.
namespace tavrin::testing {

struct Fault {
  bool armed = false;
  void ThrowIfArmed(const std::string& what) {
    if (!armed) return;
    armed = false;
    throw std::runtime_error(what + " failed");
  }
};

// Notes each line put into an entry box: "send <text>".
class FailingWindows final : public ForwardingWindows {
 public:
  FailingWindows(platform::ForeignWindows& inner,
                 std::vector<std::string>& journal)
      : ForwardingWindows(inner), journal_(journal) {}

  platform::Delivery SetText(platform::WindowHandle window,
                             std::string_view text) override {
    fault.ThrowIfArmed("send");
    journal_.push_back("send " + std::string(text));
    return ForwardingWindows::SetText(window, text);
  }

  Fault fault;

 private:
  std::vector<std::string>& journal_;
};

// Notes each timer started: "timer 50 ms".
class FailingTimers final : public platform::Timers {
 public:
  FailingTimers(platform::Timers& inner, std::vector<std::string>& journal)
      : inner_(inner), journal_(journal) {}

  std::unique_ptr<platform::Timer> Start(platform::Milliseconds interval,
                                         std::function<void()> onTick) override {
    fault.ThrowIfArmed("timer");
    journal_.push_back("timer " + std::to_string(interval.count()) + " ms");
    return inner_.Start(interval, std::move(onTick));
  }

  Fault fault;

 private:
  platform::Timers& inner_;
  std::vector<std::string>& journal_;
};

// Notes each request to the shell: "tray add", "tray delete".
class FailingTray final : public platform::Tray {
 public:
  FailingTray(platform::Tray& inner, std::vector<std::string>& journal)
      : inner_(inner), journal_(journal) {}

  bool Notify(platform::TrayCommand command,
              const platform::IconRecord& record) override {
    fault.ThrowIfArmed("tray");
    journal_.push_back(command == platform::TrayCommand::kAdd ? "tray add"
                                                              : "tray delete");
    return inner_.Notify(command, record);
  }

  Fault fault;

 private:
  platform::Tray& inner_;
  std::vector<std::string>& journal_;
};

// Fails reads only.
class FailingProfile final : public ForwardingProfile {
 public:
  using ForwardingProfile::ForwardingProfile;

  std::string Read(std::string_view section, std::string_view key,
                   std::string_view file) override {
    fault.ThrowIfArmed("read");
    return ForwardingProfile::Read(section, key, file);
  }

  Fault fault;
};

}  // namespace tavrin::testing
