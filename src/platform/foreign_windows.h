#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/window_handle.h"

namespace tavrin::platform {

// What became of a message sent with a bounded wait.
enum class Delivery {
  kAnswered,  // handled within the wait
  // Not answered in time. A peer that had not taken the message yet drops
  // it; one that had taken it and was slow over it still carries it out.
  kLate,
  kNotSent,  // no window, or its peer is backed off as hung
};

// A watch on another window's text; destroying it ends the watch.
class TextWatch {
 public:
  virtual ~TextWatch() = default;
};

// Other programs' windows, found by class name and spoken to with window
// messages. Text is UTF-8 on this side; the adapter reads and writes other
// windows' text as wide (UTF-16) text, so a Unicode window's text crosses
// whole and the system converts for a window that is not Unicode.
//
// Every send is bounded: a window whose peer does not answer within a short,
// fixed wait (or recently failed to) gives the ordinary failure value, 0 or
// the empty text, as if it were absent; ReadText alone tells it apart.
class ForeignWindows {
 public:
  virtual ~ForeignWindows() = default;

  // The first top-level window of the class (no window name is matched).
  virtual WindowHandle FindTopLevel(std::string_view className) = 0;

  // The first direct child of parent with the class, after the child `after`
  // (kNoWindow: from the first child). A parent of kNoWindow searches the
  // top-level windows, as the platform does.
  virtual WindowHandle FindChild(WindowHandle parent, WindowHandle after,
                                 std::string_view className) = 0;

  // Sends a message whose parameters are plain numbers and returns the
  // answer; 0 when the window is absent or does not answer in time.
  virtual std::intptr_t Send(WindowHandle window, unsigned message,
                             std::uintptr_t wParam, std::intptr_t lParam) = 0;

  // Sends a message whose answer does not matter, and tells how it fared.
  virtual Delivery Deliver(WindowHandle window, unsigned message,
                           std::uintptr_t wParam, std::intptr_t lParam) = 0;

  // Posts a message without waiting for it to be handled.
  virtual void Post(WindowHandle window, unsigned message,
                    std::uintptr_t wParam, std::intptr_t lParam) = 0;

  // The window's text length (WM_GETTEXTLENGTH, in UTF-16 units); nothing
  // when the window is absent or does not answer in time.
  virtual std::optional<std::size_t> GetTextLength(WindowHandle window) = 0;

  // The window's text: its length with WM_GETTEXTLENGTH, then WM_GETTEXT.
  // Nothing when the window is there but did not answer in time, so that a
  // caller can tell a peer that is busy from an empty text; "" for no
  // window.
  virtual std::optional<std::string> ReadText(WindowHandle window) = 0;
  // The same, with a window that does not answer read as "".
  std::string GetText(WindowHandle window) {
    return ReadText(window).value_or(std::string());
  }

  // Replaces the window's text with WM_SETTEXT; a late text may or may not
  // have arrived.
  virtual Delivery SetText(WindowHandle window, std::string_view text) = 0;

  // Calls onChange each time the window's program reports a change of the
  // window's text (Windows' name and value change events). The call comes
  // from the message loop, as a timer's tick does, so in a pump too, but
  // never from inside a send. Not every program reports its changes, so a
  // watch is a hint to look sooner, never the only way to learn of one.
  // Nothing when the window is absent or cannot be watched.
  virtual std::unique_ptr<TextWatch> WatchText(
      WindowHandle window, std::function<void()> onChange) = 0;

  // Lets the messages pending for this program run, once: its own input
  // and due timers too, so any handler may run inside. Inside one of the
  // program's modal loops (a menu, a dialog, a window being moved) it runs
  // nothing: that loop waits for its own click or key.
  virtual void PumpOnce() = 0;
};

}  // namespace tavrin::platform
