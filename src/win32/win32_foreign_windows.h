#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "platform/clock.h"
#include "platform/foreign_windows.h"
#include "platform/hung_peer_guard.h"
#include "win32/win32_text_watches.h"

namespace tavrin::win32 {

// The foreign-windows port on Windows: the wide window functions, every
// send bounded by SendMessageTimeout and the hung-peer guard (a peer is the
// thread that owns the window).
class Win32ForeignWindows final : public platform::ForeignWindows {
 public:
  explicit Win32ForeignWindows(const platform::Clock& clock) : guard_(clock) {}

  platform::WindowHandle FindTopLevel(std::string_view className) override;
  platform::WindowHandle FindChild(platform::WindowHandle parent,
                                   platform::WindowHandle after,
                                   std::string_view className) override;
  std::intptr_t Send(platform::WindowHandle window, unsigned message,
                     std::uintptr_t wParam, std::intptr_t lParam) override;
  platform::Delivery Deliver(platform::WindowHandle window, unsigned message,
                             std::uintptr_t wParam,
                             std::intptr_t lParam) override;
  void Post(platform::WindowHandle window, unsigned message,
            std::uintptr_t wParam, std::intptr_t lParam) override;
  std::optional<std::size_t> GetTextLength(
      platform::WindowHandle window) override;
  std::optional<std::string> ReadText(platform::WindowHandle window) override;
  platform::Delivery SetText(platform::WindowHandle window,
                             std::string_view text) override;
  // Every watch must end before this object does.
  std::unique_ptr<platform::TextWatch> WatchText(
      platform::WindowHandle window, std::function<void()> onChange) override;
  void PumpOnce() override;

 private:
  struct Sent {
    platform::Delivery delivery = platform::Delivery::kNotSent;
    DWORD_PTR answer = 0;
  };

  // One wide send with the bounded wait, unless the window is gone or its
  // peer is backed off.
  Sent SendBounded(platform::WindowHandle window, UINT message, WPARAM wParam,
                   LPARAM lParam);

  platform::HungPeerGuard guard_;
  // Made with the first watch: a program that watches nothing needs no
  // window for it.
  std::unique_ptr<Win32TextWatches> watches_;
};

}  // namespace tavrin::win32
