#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

#include "win32/base/win32_handles.h"
#include "win32/base/window_binding.h"

// One running copy of the program in the user's session: two would both
// answer every command in the room. A named mutex decides which copy runs,
// and the running copy keeps a message-only window through which a later
// start hands over to it.
namespace tavrin::win32 {

// The claim on being the session's running copy, held until destroyed.
class InstanceClaim {
 public:
  InstanceClaim();
  // False when another copy holds the claim. A claim that could not be
  // made at all counts as held: better two copies than none.
  bool Held() const { return held_; }

 private:
  UniqueKernelHandle mutex_;
  bool held_ = true;
};

// The running copy's side: runs `onCall` from the message loop whenever a
// later start hands over.
class InstanceCalls {
 public:
  // Throws std::runtime_error when its window cannot be created.
  explicit InstanceCalls(std::function<void()> onCall);
  InstanceCalls(const InstanceCalls&) = delete;
  InstanceCalls& operator=(const InstanceCalls&) = delete;

 private:
  friend LRESULT CALLBACK BoundWindowProc<InstanceCalls>(HWND, UINT, WPARAM,
                                                         LPARAM) noexcept;
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam);

  std::function<void()> onCall_;
  UniqueWindow window_;
};

// A later start's side: lets the running copy take the foreground and asks
// it to come forward, waiting up to `patience` for a copy that is still
// starting. False when no running copy was found.
bool CallRunningCopy(std::chrono::milliseconds patience);

}  // namespace tavrin::win32
