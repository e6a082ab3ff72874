#include "win32/base/message_pump.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace tavrin::win32 {
namespace {

// Handlers that keep posting to themselves must not hold the caller forever.
constexpr int kMaxMessagesPerPump = 1000;

// One user-interface thread: no lock.
int modalLoops = 0;

using TimerKey = std::pair<HWND, WPARAM>;

bool IsRepeatedTimer(const MSG& message, const std::vector<TimerKey>& seen) {
  return message.message == WM_TIMER &&
         std::find(seen.begin(), seen.end(),
                   TimerKey{message.hwnd, message.wParam}) != seen.end();
}

MessageRouter router = nullptr;

void Dispatch(MSG& message) {
  if (router != nullptr && router(message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace

void SetMessageRouter(MessageRouter route) { router = route; }

void EnterModalLoop() { ++modalLoops; }
void LeaveModalLoop() {
  if (modalLoops > 0) --modalLoops;
}

void PumpPendingMessages() {
  if (modalLoops > 0) return;
  std::vector<TimerKey> timersSeen;
  MSG message;
  for (int handled = 0; handled < kMaxMessagesPerPump; ++handled) {
    // Looked at first, so that a timer due again is left for later.
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) return;
    if (IsRepeatedTimer(message, timersSeen)) return;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return;
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (message.message == WM_TIMER) {
      timersSeen.emplace_back(message.hwnd, message.wParam);
    }
    Dispatch(message);
  }
}

int RunMessageLoop() {
  MSG message;
  for (;;) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return 1;
    Dispatch(message);
  }
}

}  // namespace tavrin::win32
