#include "win32/base/win32_timers.h"

#include <algorithm>
#include <stdexcept>

namespace tavrin::win32 {
namespace {

constexpr wchar_t kTimerWindowClass[] = L"TavrinTimers";

UINT TimerPeriod(platform::Milliseconds interval) {
  const auto wanted = std::clamp<platform::Milliseconds::rep>(
      interval.count(), USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  return static_cast<UINT>(wanted);
}

}  // namespace

class Win32Timers::Token final : public platform::Timer {
 public:
  Token(Win32Timers& owner, UINT_PTR id) : owner_(owner), id_(id) {}
  ~Token() override { owner_.Stop(id_); }
  Token(const Token&) = delete;
  Token& operator=(const Token&) = delete;

 private:
  Win32Timers& owner_;
  UINT_PTR id_;
};

Win32Timers::Win32Timers()
    : window_(CreateBoundMessageWindow(kTimerWindowClass, this)) {}

// Destroying the window kills whatever timers it still owns; the body runs
// while the entries are still there for a last message.
Win32Timers::~Win32Timers() { window_.reset(); }

std::unique_ptr<platform::Timer> Win32Timers::Start(
    platform::Milliseconds interval, std::function<void()> onTick) {
  const UINT_PTR id = nextId_++;
  if (SetTimer(window_.get(), id, TimerPeriod(interval), nullptr) == 0) {
    throw std::runtime_error("no timer available");
  }
  entries_.emplace(id, std::make_shared<Entry>(Entry{std::move(onTick)}));
  return std::make_unique<Token>(*this, id);
}

void Win32Timers::Stop(UINT_PTR id) noexcept {
  KillTimer(window_.get(), id);
  entries_.erase(id);
}

void Win32Timers::Tick(UINT_PTR id) {
  const auto found = entries_.find(id);
  if (found == entries_.end()) return;
  const std::shared_ptr<Entry> entry = found->second;
  if (entry->ticking) return;
  entry->ticking = true;
  try {
    entry->onTick();
  } catch (...) {
    // A handler must not throw; if one does, the next tick still comes.
  }
  entry->ticking = false;
}

LRESULT Win32Timers::HandleMessage(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) {
  if (message == WM_TIMER) {
    Tick(static_cast<UINT_PTR>(wParam));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tavrin::win32
