#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/window_handle.h"
#include "sim/virtual_clock.h"

namespace tavrin::sim {

using platform::WindowHandle;

// An in-process desktop of windows with classes, texts (held as the ANSI
// bytes a window of an ANSI program holds) and children in creation order.
// Windows belong to processes, which can hang; posted messages wait in a
// queue until it is pumped. Lookups follow the platform: a parent of 0
// searches the top-level windows, and a message to no window answers 0.
class SimDesktop {
 public:
  using ProcessId = std::uint32_t;
  // A window procedure for the messages whose parameters are numbers.
  using WindowProc = std::function<std::intptr_t(
      WindowHandle self, unsigned message, std::uintptr_t wParam,
      std::intptr_t lParam)>;
  // Where a new child goes among its siblings.
  enum class Place { kLast, kFirst };

  explicit SimDesktop(VirtualClock& clock) : clock_(clock) {}
  SimDesktop(const SimDesktop&) = delete;
  SimDesktop& operator=(const SimDesktop&) = delete;

  VirtualClock& Clock() { return clock_; }

  ProcessId NewProcess() { return nextProcess_++; }
  WindowHandle Create(ProcessId process, std::string_view className,
                      std::string_view textUtf8, WindowHandle parent = 0,
                      WindowProc proc = {}, Place place = Place::kLast);
  // Destroys the window and its children; messages to them are dropped.
  void Destroy(WindowHandle window);
  bool Exists(WindowHandle window) const;
  // The process stops answering until the clock has moved on by `duration`.
  void Hang(ProcessId process, platform::Milliseconds duration);
  // How much longer the window's process stays hung (0 when it answers).
  platform::Milliseconds HungFor(WindowHandle window) const;

  // What the window's owner sees and sets directly (UTF-8).
  std::string TextOf(WindowHandle window) const;
  void SetTextOf(WindowHandle window, std::string_view textUtf8);

  // The platform's calls, as another program makes them. Sends assume the
  // target answers (the caller checks HungFor first).
  WindowHandle FindWindow(std::string_view className) const;
  WindowHandle FindWindowEx(WindowHandle parent, WindowHandle after,
                            std::string_view className) const;
  std::intptr_t SendMessage(WindowHandle window, unsigned message,
                            std::uintptr_t wParam, std::intptr_t lParam);
  const std::string& AnsiText(WindowHandle window) const;
  void SetAnsiText(WindowHandle window, std::string ansi);
  void PostMessage(WindowHandle window, unsigned message,
                   std::uintptr_t wParam, std::intptr_t lParam);
  // Delivers every posted message whose process answers; the messages for
  // hung processes stay queued.
  void PumpOnce();
  std::size_t PendingPosts() const { return posted_.size(); }

 private:
  struct Window {
    ProcessId process;
    std::string className;
    std::string text;  // ANSI bytes
    WindowHandle parent;
    std::vector<WindowHandle> children;
    WindowProc proc;
  };
  struct Posted {
    WindowHandle window;
    unsigned message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
  };

  const Window* Find(WindowHandle window) const;
  Window* Find(WindowHandle window);
  const std::vector<WindowHandle>* SiblingsUnder(WindowHandle parent) const;

  VirtualClock& clock_;
  ProcessId nextProcess_ = 1;
  WindowHandle nextHandle_ = 0x10010;
  std::unordered_map<WindowHandle, Window> windows_;
  std::vector<WindowHandle> topLevel_;
  std::unordered_map<ProcessId, platform::Milliseconds> hungUntil_;
  std::deque<Posted> posted_;
  const std::string empty_;
};

}  // namespace tavrin::sim
