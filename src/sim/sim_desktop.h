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

// An in-process desktop of windows with classes, texts and children in
// creation order. Windows belong to processes, which can hang, and whose
// windows are Unicode or ANSI (Windows-1252): an ANSI window holds only what
// that code page can, and anything else it is given becomes "?". Lookups
// follow the platform: a parent of 0 searches the top-level windows, and a
// message to no window answers 0.
//
// A process hangs in one of two ways: it stops taking messages (a send it
// never took is dropped when its sender gives up, as the platform does), or
// it takes the next message and then is slow over it (the message's effect
// stands, though its sender may have given up waiting). Posted messages wait
// for the pump; a pump also runs the program's own arrived input and due
// timers (the clock).
class SimDesktop {
 public:
  using ProcessId = std::uint32_t;
  // A window procedure for the messages whose parameters are numbers.
  using WindowProc = std::function<std::intptr_t(
      WindowHandle self, unsigned message, std::uintptr_t wParam,
      std::intptr_t lParam)>;
  // Where a new child goes among its siblings.
  enum class Place { kLast, kFirst };
  enum class Charset { kUnicode, kAnsi };

  explicit SimDesktop(VirtualClock& clock) : clock_(clock) {}
  SimDesktop(const SimDesktop&) = delete;
  SimDesktop& operator=(const SimDesktop&) = delete;

  VirtualClock& Clock() { return clock_; }

  ProcessId NewProcess(Charset charset = Charset::kUnicode);
  WindowHandle Create(ProcessId process, std::string_view className,
                      std::string_view textUtf8, WindowHandle parent = 0,
                      WindowProc proc = {}, Place place = Place::kLast);
  // Destroys the window and its children; messages to them are dropped.
  void Destroy(WindowHandle window);
  bool Exists(WindowHandle window) const;
  ProcessId ProcessOf(WindowHandle window) const;
  // The process stops answering until the clock has moved on by `duration`.
  void Hang(ProcessId process, platform::Milliseconds duration);
  // The process takes the next message sent to it at once, then spends
  // `duration` over it.
  void SlowDown(ProcessId process, platform::Milliseconds duration);
  // How long handling a message just sent to the process takes: its
  // slowness, now used up (the process is hung for that long from now).
  platform::Milliseconds TakeHandlingTime(ProcessId process);
  // How much longer the window's process stays hung (0 when it answers).
  platform::Milliseconds HungFor(WindowHandle window) const;

  // The window's text as it holds it, and its owner's way of setting it.
  std::string TextOf(WindowHandle window) const;
  void SetTextOf(WindowHandle window, std::string_view textUtf8);

  // Whether the process reports each text it sets on its windows to
  // whoever watches them, as Windows' name change event does: the watcher
  // is told as the program's input, when its loop or a pump next runs.
  void ReportTextChanges(ProcessId process, bool on);
  using WatchId = std::uint64_t;
  WatchId Watch(WindowHandle window, std::function<void()> onChange);
  void Unwatch(WatchId watch) { watches_.erase(watch); }

  // The platform's calls, as another program makes them. Sends assume the
  // target answers (the caller checks HungFor first).
  WindowHandle FindWindow(std::string_view className) const;
  WindowHandle FindWindowEx(WindowHandle parent, WindowHandle after,
                            std::string_view className) const;
  std::intptr_t SendMessage(WindowHandle window, unsigned message,
                            std::uintptr_t wParam, std::intptr_t lParam);
  void PostMessage(WindowHandle window, unsigned message,
                   std::uintptr_t wParam, std::intptr_t lParam);
  // Delivers every posted message whose process answers (the others stay
  // queued), then runs the program's arrived input and due timers.
  void PumpOnce();
  // The other processes take their posted messages, which they do whatever
  // the program's own thread is doing.
  void DeliverPosts();
  std::size_t PendingPosts() const { return posted_.size(); }

 private:
  struct Window {
    ProcessId process;
    std::string className;
    std::string text;  // UTF-8, as the window can hold it
    WindowHandle parent;
    std::vector<WindowHandle> children;
    WindowProc proc;
  };
  struct Process {
    Charset charset = Charset::kUnicode;
    platform::Milliseconds hungUntil{0};
    platform::Milliseconds slowness{0};  // over the next message it takes
    bool reportsTextChanges = false;
  };
  struct TextWatch {
    WindowHandle window;
    std::function<void()> onChange;
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
  std::string Holdable(ProcessId process, std::string_view textUtf8) const;

  VirtualClock& clock_;
  ProcessId nextProcess_ = 1;
  WindowHandle nextHandle_ = 0x10010;
  std::unordered_map<WindowHandle, Window> windows_;
  std::vector<WindowHandle> topLevel_;
  std::unordered_map<ProcessId, Process> processes_;
  std::deque<Posted> posted_;
  WatchId nextWatch_ = 1;
  std::unordered_map<WatchId, TextWatch> watches_;
};

}  // namespace tavrin::sim
