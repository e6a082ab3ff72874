#include "win32/win32_text_watches.h"

#include <utility>

namespace tavrin::win32 {
namespace {

constexpr wchar_t kWindowClass[] = L"TavrinTextWatches";
constexpr UINT kChangedMessage = WM_APP + 1;

// The hook's function carries no context of its own.
thread_local Win32TextWatches* current = nullptr;

}  // namespace

class Win32TextWatches::Token final : public platform::TextWatch {
 public:
  Token(Win32TextWatches& owner, UINT_PTR id) : owner_(owner), id_(id) {}
  ~Token() override { owner_.entries_.erase(id_); }
  Token(const Token&) = delete;
  Token& operator=(const Token&) = delete;

 private:
  Win32TextWatches& owner_;
  UINT_PTR id_;
};

Win32TextWatches::Win32TextWatches()
    : window_(CreateBoundMessageWindow(kWindowClass, this)) {
  current = this;
}

Win32TextWatches::~Win32TextWatches() {
  entries_.clear();
  current = nullptr;
}

std::unique_ptr<platform::TextWatch> Win32TextWatches::Watch(
    HWND window, std::function<void()> onChange) {
  DWORD process = 0;
  if (GetWindowThreadProcessId(window, &process) == 0) return nullptr;
  // A top-level window's text is its caption, reported as a name change;
  // a control's may come as a value change (edit and rich edit controls).
  // A player's sliders raise value changes many times a second, which a
  // watch on a caption need not hear.
  const bool control = (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0;
  // Only the window's process: no WINEVENT_SKIPOWNPROCESS, which with a
  // process given lets no event through under Wine 8.
  UniqueWinEventHook hook(SetWinEventHook(
      EVENT_OBJECT_NAMECHANGE,
      control ? EVENT_OBJECT_VALUECHANGE : EVENT_OBJECT_NAMECHANGE, nullptr,
      &OnEvent, process, 0, WINEVENT_OUTOFCONTEXT));
  if (!hook) return nullptr;
  const UINT_PTR id = nextId_++;
  entries_.emplace(id, Entry{window, std::move(hook), std::move(onChange)});
  return std::make_unique<Token>(*this, id);
}

void CALLBACK Win32TextWatches::OnEvent(HWINEVENTHOOK, DWORD event,
                                        HWND window, LONG, LONG, DWORD,
                                        DWORD) {
  if (current == nullptr) return;
  if (event != EVENT_OBJECT_NAMECHANGE && event != EVENT_OBJECT_VALUECHANGE) {
    return;
  }
  current->Changed(window);
}

void Win32TextWatches::Changed(HWND window) {
  for (auto& [id, entry] : entries_) {
    if (entry.window != window || entry.told) continue;
    entry.told = PostMessageW(window_.get(), kChangedMessage, id, 0) != 0;
  }
}

void Win32TextWatches::Tell(UINT_PTR id) {
  const auto found = entries_.find(id);
  if (found == entries_.end()) return;
  found->second.told = false;
  // Copied: the watcher may end its own watch.
  const std::function<void()> onChange = found->second.onChange;
  try {
    onChange();
  } catch (...) {
    // A watcher must not throw; if one does, the next change still comes.
  }
}

LRESULT Win32TextWatches::HandleMessage(HWND window, UINT message,
                                        WPARAM wParam, LPARAM lParam) {
  if (message == kChangedMessage) {
    Tell(static_cast<UINT_PTR>(wParam));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace tavrin::win32
