#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "platform/clock.h"
#include "win32/base/win32_handles.h"
#include "win32/base/window_binding.h"

namespace tavrin::win32 {

// Repeating timers of the user-interface thread: SetTimer ids on a
// message-only window, ticking through WM_TIMER. A tick never re-enters its
// own handler (a handler that pumps messages skips its own nested ticks),
// and a timer may be stopped from inside its own tick. Every timer must be
// stopped before its Win32Timers is destroyed.
class Win32Timers final : public platform::Timers {
 public:
  // Throws std::runtime_error when the timer window cannot be created.
  Win32Timers();
  ~Win32Timers() override;
  Win32Timers(const Win32Timers&) = delete;
  Win32Timers& operator=(const Win32Timers&) = delete;

  // Throws std::runtime_error when the system has no timer left.
  [[nodiscard]] std::unique_ptr<platform::Timer> Start(
      platform::Milliseconds interval, std::function<void()> onTick) override;

 private:
  friend LRESULT CALLBACK BoundWindowProc<Win32Timers>(HWND, UINT, WPARAM,
                                                       LPARAM) noexcept;
  struct Entry {
    std::function<void()> onTick;
    bool ticking = false;
  };
  class Token;

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam);
  void Tick(UINT_PTR id);
  void Stop(UINT_PTR id) noexcept;

  // Shared so that a tick keeps its entry alive while the tick stops it.
  std::map<UINT_PTR, std::shared_ptr<Entry>> entries_;
  UINT_PTR nextId_ = 1;
  UniqueWindow window_;
};

}  // namespace tavrin::win32
