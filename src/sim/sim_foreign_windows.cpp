#include "sim/sim_foreign_windows.h"

namespace tavrin::sim {

using platform::Delivery;
using platform::HungPeerGuard;
using platform::Milliseconds;

Delivery SimForeignWindows::Exchange(WindowHandle window,
                                     const std::function<void()>& handle) {
  Call();
  if (!desktop_.Exists(window)) return Delivery::kNotSent;
  const SimDesktop::ProcessId process = desktop_.ProcessOf(window);
  if (!guard_.MayWait(process)) return Delivery::kNotSent;
  VirtualClock& clock = desktop_.Clock();
  // The program's thread waits for the peer at most the send's bound.
  const auto waitFor = [&](Milliseconds busy) {
    if (busy < HungPeerGuard::kSendTimeout) {
      clock.Stall(busy);
      return true;
    }
    clock.Stall(HungPeerGuard::kSendTimeout);
    guard_.RecordTimeout(process);
    return false;
  };
  // A message never taken goes when the wait is given up; one taken stands,
  // however long the peer is busy over it.
  if (!waitFor(desktop_.HungFor(window))) return Delivery::kLate;
  handle();
  if (!waitFor(desktop_.TakeHandlingTime(process))) return Delivery::kLate;
  guard_.RecordAnswer(process);
  return Delivery::kAnswered;
}

WindowHandle SimForeignWindows::FindTopLevel(std::string_view className) {
  Call();
  return desktop_.FindWindow(className);
}

WindowHandle SimForeignWindows::FindChild(WindowHandle parent,
                                          WindowHandle after,
                                          std::string_view className) {
  Call();
  return desktop_.FindWindowEx(parent, after, className);
}

std::intptr_t SimForeignWindows::Send(WindowHandle window, unsigned message,
                                      std::uintptr_t wParam,
                                      std::intptr_t lParam) {
  std::intptr_t answer = 0;
  const Delivery delivery = Exchange(window, [&] {
    answer = desktop_.SendMessage(window, message, wParam, lParam);
  });
  return delivery == Delivery::kAnswered ? answer : 0;
}

Delivery SimForeignWindows::Deliver(WindowHandle window, unsigned message,
                                    std::uintptr_t wParam,
                                    std::intptr_t lParam) {
  return Exchange(window, [&] {
    desktop_.SendMessage(window, message, wParam, lParam);
  });
}

void SimForeignWindows::Post(WindowHandle window, unsigned message,
                             std::uintptr_t wParam, std::intptr_t lParam) {
  Call();
  desktop_.PostMessage(window, message, wParam, lParam);
}

// The sim's windows hold UTF-8, so their length is counted in its bytes:
// the same measure from poll to poll is all a reader relies on.
std::optional<std::size_t> SimForeignWindows::GetTextLength(
    WindowHandle window) {
  std::size_t length = 0;
  if (Exchange(window, [&] { length = desktop_.TextOf(window).size(); }) !=
      Delivery::kAnswered) {
    return std::nullopt;
  }
  return length;
}

std::optional<std::string> SimForeignWindows::ReadText(WindowHandle window) {
  if (!desktop_.Exists(window)) return std::string();
  // WM_GETTEXTLENGTH, then WM_GETTEXT: two sends, each bounded.
  const std::optional<std::size_t> length = GetTextLength(window);
  if (!length) return std::nullopt;
  std::string text;
  if (Exchange(window, [&] { text = desktop_.TextOf(window).substr(0, *length); }) !=
      Delivery::kAnswered) {
    return std::nullopt;
  }
  return text;
}

Delivery SimForeignWindows::SetText(WindowHandle window,
                                    std::string_view text) {
  return Exchange(window, [&] { desktop_.SetTextOf(window, text); });
}

namespace {

class SimTextWatch final : public platform::TextWatch {
 public:
  SimTextWatch(SimDesktop& desktop, SimDesktop::WatchId id)
      : desktop_(desktop), id_(id) {}
  ~SimTextWatch() override { desktop_.Unwatch(id_); }
  SimTextWatch(const SimTextWatch&) = delete;
  SimTextWatch& operator=(const SimTextWatch&) = delete;

 private:
  SimDesktop& desktop_;
  SimDesktop::WatchId id_;
};

}  // namespace

std::unique_ptr<platform::TextWatch> SimForeignWindows::WatchText(
    WindowHandle window, std::function<void()> onChange) {
  if (!desktop_.Exists(window)) return nullptr;
  return std::make_unique<SimTextWatch>(
      desktop_, desktop_.Watch(window, std::move(onChange)));
}

// Inside one of the program's modal loops its own input and ticks are left
// to that loop, whose click or key a pump would take.
void SimForeignWindows::PumpOnce() {
  if (desktop_.Clock().InModalLoop()) {
    desktop_.DeliverPosts();
    return;
  }
  desktop_.PumpOnce();
}

}  // namespace tavrin::sim
