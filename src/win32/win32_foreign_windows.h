#pragma once

#include <windows.h>

#include <optional>

#include "platform/clock.h"
#include "platform/foreign_windows.h"
#include "platform/hung_window_guard.h"

namespace tavrin::win32 {

// The foreign-windows port on Windows: ANSI window functions, every send
// bounded by SendMessageTimeout and the hung-window guard.
class Win32ForeignWindows final : public platform::ForeignWindows {
 public:
  explicit Win32ForeignWindows(const platform::Clock& clock) : guard_(clock) {}

  platform::WindowHandle FindTopLevel(std::string_view className) override;
  platform::WindowHandle FindChild(platform::WindowHandle parent,
                                   platform::WindowHandle after,
                                   std::string_view className) override;
  std::intptr_t Send(platform::WindowHandle window, unsigned message,
                     std::uintptr_t wParam, std::intptr_t lParam) override;
  void Post(platform::WindowHandle window, unsigned message,
            std::uintptr_t wParam, std::intptr_t lParam) override;
  std::string GetText(platform::WindowHandle window) override;
  void SetText(platform::WindowHandle window, std::string_view text) override;
  void PumpOnce() override;

 private:
  enum class Charset { kAnsi, kWide };

  // The answer, or nothing when the window is absent, backed off, or did
  // not answer within the bound.
  std::optional<DWORD_PTR> SendBounded(platform::WindowHandle window,
                                       UINT message, WPARAM wParam,
                                       LPARAM lParam,
                                       Charset charset = Charset::kAnsi);

  platform::HungWindowGuard guard_;
};

}  // namespace tavrin::win32
