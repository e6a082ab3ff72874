#include "win32/single_instance.h"

#include <thread>
#include <utility>

namespace tavrin::win32 {
namespace {

// "Local\": one running copy per logon session, not per machine.
constexpr wchar_t kClaimName[] = L"Local\\Tavrin.RunningCopy";
constexpr wchar_t kCallsClass[] = L"TavrinRunningCopy";
constexpr UINT kComeForward = WM_APP + 1;

}  // namespace

InstanceClaim::InstanceClaim()
    : mutex_(CreateMutexW(nullptr, FALSE, kClaimName)) {
  held_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
}

InstanceCalls::InstanceCalls(std::function<void()> onCall)
    : onCall_(std::move(onCall)),
      window_(CreateBoundMessageWindow(kCallsClass, this)) {}

LRESULT InstanceCalls::HandleMessage(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) {
  if (message == kComeForward) {
    onCall_();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool CallRunningCopy(std::chrono::milliseconds patience) {
  using Clock = std::chrono::steady_clock;
  const auto end = Clock::now() + patience;
  for (;;) {
    const HWND calls = FindWindowExW(HWND_MESSAGE, nullptr, kCallsClass, nullptr);
    if (calls != nullptr) {
      DWORD process = 0;
      GetWindowThreadProcessId(calls, &process);
      // This start came from the user and may take the foreground; the
      // running copy may only once it is let.
      AllowSetForegroundWindow(process);
      // Posted: a running copy that hangs cannot hold this start up.
      return PostMessageW(calls, kComeForward, 0, 0) != FALSE;
    }
    if (Clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace tavrin::win32
