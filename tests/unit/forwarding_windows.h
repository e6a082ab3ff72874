#pragma once

#include <utility>

#include "platform/foreign_windows.h"

namespace tavrin::testing {

// Hands every call on to another foreign-windows port; a test overrides the
// calls it wants to watch.
class ForwardingWindows : public platform::ForeignWindows {
 public:
  explicit ForwardingWindows(platform::ForeignWindows& inner) : inner_(inner) {}

  platform::WindowHandle FindTopLevel(std::string_view className) override {
    return inner_.FindTopLevel(className);
  }
  platform::WindowHandle FindChild(platform::WindowHandle parent,
                                   platform::WindowHandle after,
                                   std::string_view className) override {
    return inner_.FindChild(parent, after, className);
  }
  std::intptr_t Send(platform::WindowHandle window, unsigned message,
                     std::uintptr_t wParam, std::intptr_t lParam) override {
    return inner_.Send(window, message, wParam, lParam);
  }
  platform::Delivery Deliver(platform::WindowHandle window, unsigned message,
                             std::uintptr_t wParam,
                             std::intptr_t lParam) override {
    return inner_.Deliver(window, message, wParam, lParam);
  }
  void Post(platform::WindowHandle window, unsigned message,
            std::uintptr_t wParam, std::intptr_t lParam) override {
    inner_.Post(window, message, wParam, lParam);
  }
  std::optional<std::size_t> GetTextLength(
      platform::WindowHandle window) override {
    return inner_.GetTextLength(window);
  }
  std::optional<std::string> ReadText(platform::WindowHandle window) override {
    return inner_.ReadText(window);
  }
  platform::Delivery SetText(platform::WindowHandle window,
                             std::string_view text) override {
    return inner_.SetText(window, text);
  }
  std::unique_ptr<platform::TextWatch> WatchText(
      platform::WindowHandle window, std::function<void()> onChange) override {
    return inner_.WatchText(window, std::move(onChange));
  }
  void PumpOnce() override { inner_.PumpOnce(); }

 private:
  platform::ForeignWindows& inner_;
};

// Counts every call made through it: lookups and messages alike.
class CountingWindows final : public ForwardingWindows {
 public:
  using ForwardingWindows::ForwardingWindows;

  platform::WindowHandle FindTopLevel(std::string_view className) override {
    ++calls;
    return ForwardingWindows::FindTopLevel(className);
  }
  platform::WindowHandle FindChild(platform::WindowHandle parent,
                                   platform::WindowHandle after,
                                   std::string_view className) override {
    ++calls;
    return ForwardingWindows::FindChild(parent, after, className);
  }
  std::intptr_t Send(platform::WindowHandle window, unsigned message,
                     std::uintptr_t wParam, std::intptr_t lParam) override {
    ++calls;
    return ForwardingWindows::Send(window, message, wParam, lParam);
  }
  platform::Delivery Deliver(platform::WindowHandle window, unsigned message,
                             std::uintptr_t wParam,
                             std::intptr_t lParam) override {
    ++calls;
    return ForwardingWindows::Deliver(window, message, wParam, lParam);
  }
  void Post(platform::WindowHandle window, unsigned message,
            std::uintptr_t wParam, std::intptr_t lParam) override {
    ++calls;
    ForwardingWindows::Post(window, message, wParam, lParam);
  }
  std::optional<std::size_t> GetTextLength(
      platform::WindowHandle window) override {
    ++calls;
    return ForwardingWindows::GetTextLength(window);
  }
  std::optional<std::string> ReadText(platform::WindowHandle window) override {
    ++calls;
    ++reads;
    return ForwardingWindows::ReadText(window);
  }
  platform::Delivery SetText(platform::WindowHandle window,
                             std::string_view text) override {
    ++calls;
    return ForwardingWindows::SetText(window, text);
  }

  int calls = 0;
  int reads = 0;  // texts read whole (ReadText)
};

}  // namespace tavrin::testing
