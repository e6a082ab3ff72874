#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "platform/foreign_windows.h"
#include "win32/base/win32_handles.h"
#include "win32/base/window_binding.h"

namespace tavrin::win32 {

// Watches on other programs' window texts, through out-of-context WinEvent
// hooks on the name and value change events of the window's process. The
// system runs a hook's function whenever this thread takes messages, in the
// middle of a send too, so the function only posts a message to a
// message-only window: a watcher hears of a change from the message loop,
// as a timer's tick, and once for a burst of events it has not heard yet.
// Only one may exist on a thread, the user-interface thread.
class Win32TextWatches {
 public:
  // Throws std::runtime_error when its window cannot be created.
  Win32TextWatches();
  ~Win32TextWatches();
  Win32TextWatches(const Win32TextWatches&) = delete;
  Win32TextWatches& operator=(const Win32TextWatches&) = delete;

  // Nothing when the window is gone or no hook could be set.
  std::unique_ptr<platform::TextWatch> Watch(HWND window,
                                             std::function<void()> onChange);

 private:
  friend LRESULT CALLBACK BoundWindowProc<Win32TextWatches>(
      HWND, UINT, WPARAM, LPARAM) noexcept;
  struct Entry {
    HWND window;
    UniqueWinEventHook hook;
    std::function<void()> onChange;
    bool told = false;  // a change is posted and not yet handled
  };
  class Token;

  static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window,
                               LONG object, LONG child, DWORD thread,
                               DWORD time);
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam);
  void Changed(HWND window);
  void Tell(UINT_PTR id);

  std::map<UINT_PTR, Entry> entries_;
  UINT_PTR nextId_ = 1;
  UniqueWindow window_;
};

}  // namespace tavrin::win32
