#pragma once

// The user-interface thread's message handling.
namespace tavrin::win32 {

// Handles the messages waiting now, once each, and returns. A WM_QUIT found
// on the way is put back for the main loop. A timer ticks at most once per
// call, so a slow tick that pumps cannot keep the caller here.
void PumpPendingMessages();

// Runs until WM_QUIT and returns its exit code.
int RunMessageLoop();

}  // namespace tavrin::win32
