#pragma once

#include "platform/foreign_windows.h"
#include "platform/hung_window_guard.h"
#include "sim/sim_desktop.h"

namespace tavrin::sim {

// The foreign-windows port on the sim desktop. A send to a hung process
// costs the bounded wait on the virtual clock (time passes, no tick runs),
// exactly as a blocked send costs the program's thread on Windows.
class SimForeignWindows final : public platform::ForeignWindows {
 public:
  explicit SimForeignWindows(SimDesktop& desktop)
      : desktop_(desktop), guard_(desktop.Clock()) {}

  WindowHandle FindTopLevel(std::string_view className) override;
  WindowHandle FindChild(WindowHandle parent, WindowHandle after,
                         std::string_view className) override;
  std::intptr_t Send(WindowHandle window, unsigned message,
                     std::uintptr_t wParam, std::intptr_t lParam) override;
  void Post(WindowHandle window, unsigned message, std::uintptr_t wParam,
            std::intptr_t lParam) override;
  std::string GetText(WindowHandle window) override;
  void SetText(WindowHandle window, std::string_view text) override;
  void PumpOnce() override;

 private:
  // True when the window is there and answers within the bound.
  bool Answers(WindowHandle window);

  SimDesktop& desktop_;
  platform::HungWindowGuard guard_;
};

}  // namespace tavrin::sim
