#pragma once

#include <windows.h>

// The user-interface thread's message handling.
namespace tavrin::win32 {

// Sees each message before it is dispatched: it may send it to another
// window (change its hwnd), or handle it whole and return true. One per
// program, set before the first message.
using MessageRouter = bool (*)(MSG& message);
void SetMessageRouter(MessageRouter route);

// Handles the messages waiting now, once each, and returns. A WM_QUIT found
// on the way is put back for the main loop. A timer ticks at most once per
// call, so a slow tick that pumps cannot keep the caller here. Inside one
// of the program's modal loops it does nothing: that loop waits for its own
// click or key, which this pump would take and dispatch elsewhere.
void PumpPendingMessages();

// The program's own modal loops (a popup menu, the Open dialog, a window
// being moved or sized) are counted while they run.
void EnterModalLoop();
void LeaveModalLoop();

class ModalLoopScope {
 public:
  ModalLoopScope() { EnterModalLoop(); }
  ~ModalLoopScope() { LeaveModalLoop(); }
  ModalLoopScope(const ModalLoopScope&) = delete;
  ModalLoopScope& operator=(const ModalLoopScope&) = delete;
};

// Runs until WM_QUIT and returns its exit code.
int RunMessageLoop();

}  // namespace tavrin::win32
