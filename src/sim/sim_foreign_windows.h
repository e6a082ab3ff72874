#pragma once

#include <functional>

#include "platform/foreign_windows.h"
#include "platform/hung_peer_guard.h"
#include "sim/sim_desktop.h"

namespace tavrin::sim {

// The foreign-windows port on the sim desktop. A send to a hung process
// costs the bounded wait on the virtual clock (time passes, no tick runs),
// exactly as a blocked send costs the program's thread on Windows.
class SimForeignWindows final : public platform::ForeignWindows {
 public:
  explicit SimForeignWindows(SimDesktop& desktop)
      : desktop_(desktop), guard_(desktop.Clock()) {}

  // What each call into another program costs the program's thread (none
  // by default). On a slow desktop, input and ticks fall due during a room
  // search and run in its pumps.
  void SetCallCost(platform::Milliseconds cost) { callCost_ = cost; }

  WindowHandle FindTopLevel(std::string_view className) override;
  WindowHandle FindChild(WindowHandle parent, WindowHandle after,
                         std::string_view className) override;
  std::intptr_t Send(WindowHandle window, unsigned message,
                     std::uintptr_t wParam, std::intptr_t lParam) override;
  platform::Delivery Deliver(WindowHandle window, unsigned message,
                             std::uintptr_t wParam,
                             std::intptr_t lParam) override;
  void Post(WindowHandle window, unsigned message, std::uintptr_t wParam,
            std::intptr_t lParam) override;
  std::optional<std::size_t> GetTextLength(WindowHandle window) override;
  std::optional<std::string> ReadText(WindowHandle window) override;
  platform::Delivery SetText(WindowHandle window,
                             std::string_view text) override;
  std::unique_ptr<platform::TextWatch> WatchText(
      WindowHandle window, std::function<void()> onChange) override;
  void PumpOnce() override;

 private:
  // One bounded send: `handle` is what the window does with the message,
  // run if its process takes it.
  platform::Delivery Exchange(WindowHandle window,
                              const std::function<void()>& handle);
  void Call() { desktop_.Clock().Stall(callCost_); }

  SimDesktop& desktop_;
  platform::HungPeerGuard guard_;
  platform::Milliseconds callCost_{0};
};

}  // namespace tavrin::sim
