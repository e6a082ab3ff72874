#include "win32/win32_foreign_windows.h"

#include <algorithm>
#include <string>
#include <utility>

#include "win32/base/message_pump.h"
#include "win32/base/win32_text.h"

namespace tavrin::win32 {
namespace {

using platform::Delivery;
using platform::HungPeerGuard;
using platform::WindowHandle;

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

WindowHandle FromHwnd(HWND window) {
  return reinterpret_cast<WindowHandle>(window);
}

// A bogus length from another program must not exhaust memory; a longer text
// comes back cut.
constexpr DWORD_PTR kMaxTextUnits = DWORD_PTR{1} << 24;

// Texts up to this many units are read with one message.
constexpr std::size_t kShortText = 256;

constexpr UINT kSendFlags = SMTO_ABORTIFHUNG | SMTO_NORMAL;
constexpr UINT kSendTimeoutMs =
    static_cast<UINT>(HungPeerGuard::kSendTimeout.count());


platform::PeerId PeerOf(HWND window) {
  return GetWindowThreadProcessId(window, nullptr);
}

}  // namespace

Win32ForeignWindows::Sent Win32ForeignWindows::SendBounded(
    WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND hwnd = ToHwnd(window);
  if (window == platform::kNoWindow || !IsWindow(hwnd)) return {};
  const platform::PeerId peer = PeerOf(hwnd);
  if (!guard_.MayWait(peer)) return {};
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutW(hwnd, message, wParam, lParam, kSendFlags,
                          kSendTimeoutMs, &answer) != 0) {
    guard_.RecordAnswer(peer);
    return {Delivery::kAnswered, answer};
  }
  // A window that vanished meanwhile is just absent; one still there gave
  // no answer in time: its peer is hung.
  if (!IsWindow(hwnd)) return {};
  guard_.RecordTimeout(peer);
  return {Delivery::kLate, 0};
}

WindowHandle Win32ForeignWindows::FindTopLevel(std::string_view className) {
  const std::wstring wideClass = WideFromUtf8(className);
  return FromHwnd(FindWindowW(wideClass.c_str(), nullptr));
}

WindowHandle Win32ForeignWindows::FindChild(WindowHandle parent,
                                            WindowHandle after,
                                            std::string_view className) {
  const std::wstring wideClass = WideFromUtf8(className);
  return FromHwnd(FindWindowExW(ToHwnd(parent), ToHwnd(after),
                                wideClass.c_str(), nullptr));
}

std::intptr_t Win32ForeignWindows::Send(WindowHandle window, unsigned message,
                                        std::uintptr_t wParam,
                                        std::intptr_t lParam) {
  return static_cast<std::intptr_t>(
      SendBounded(window, message, wParam, lParam).answer);
}

Delivery Win32ForeignWindows::Deliver(WindowHandle window, unsigned message,
                                      std::uintptr_t wParam,
                                      std::intptr_t lParam) {
  return SendBounded(window, message, wParam, lParam).delivery;
}

void Win32ForeignWindows::Post(WindowHandle window, unsigned message,
                               std::uintptr_t wParam, std::intptr_t lParam) {
  // A post to window 0 would land in this thread's own queue.
  if (window == platform::kNoWindow) return;
  PostMessageW(ToHwnd(window), message, wParam, lParam);
}

// Wide throughout: a Unicode window's text arrives whole, and the system
// converts for one that is not. (Under Wine the ANSI length query would also
// ignore the time-out.)
std::optional<std::size_t> Win32ForeignWindows::GetTextLength(
    WindowHandle window) {
  const Sent length = SendBounded(window, WM_GETTEXTLENGTH, 0, 0);
  if (length.delivery != Delivery::kAnswered) return std::nullopt;
  return static_cast<std::size_t>(length.answer);
}

std::optional<std::string> Win32ForeignWindows::ReadText(WindowHandle window) {
  if (window == platform::kNoWindow || !IsWindow(ToHwnd(window))) {
    return std::string();
  }
  // Most texts read here (a title, a caption) are short: one WM_GETTEXT
  // into a buffer that holds them spares asking the length first.
  std::wstring buffer(kShortText + 1, L'\0');
  const Sent first = SendBounded(window, WM_GETTEXT, buffer.size(),
                                 reinterpret_cast<LPARAM>(buffer.data()));
  if (first.delivery != Delivery::kAnswered) return std::nullopt;
  buffer.resize(static_cast<std::size_t>(
      std::find(buffer.begin(), buffer.end(), L'\0') - buffer.begin()));
  if (buffer.size() < kShortText) return Utf8FromWide(buffer);
  // The text may change between its length and its reading (a player moving
  // to a longer title): the buffer holds one unit more than the length
  // said, so a full buffer shows the text grew, and it is read again.
  constexpr int kAttempts = 4;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const std::optional<std::size_t> length = GetTextLength(window);
    if (!length) return std::nullopt;
    if (*length == 0) return std::string();
    const std::size_t room = std::min<std::size_t>(*length, kMaxTextUnits) + 1;
    buffer.assign(room + 1, L'\0');
    const Sent copied = SendBounded(window, WM_GETTEXT, buffer.size(),
                                    reinterpret_cast<LPARAM>(buffer.data()));
    if (copied.delivery != Delivery::kAnswered) return std::nullopt;
    buffer.resize(static_cast<std::size_t>(
        std::find(buffer.begin(), buffer.end(), L'\0') - buffer.begin()));
    if (buffer.size() < room || *length >= kMaxTextUnits) break;
  }
  return Utf8FromWide(buffer);
}

Delivery Win32ForeignWindows::SetText(WindowHandle window,
                                      std::string_view text) {
  const std::wstring wide = WideFromUtf8(text);
  return SendBounded(window, WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(wide.c_str()))
      .delivery;
}

std::unique_ptr<platform::TextWatch> Win32ForeignWindows::WatchText(
    WindowHandle window, std::function<void()> onChange) {
  if (window == platform::kNoWindow || !IsWindow(ToHwnd(window))) {
    return nullptr;
  }
  try {
    if (!watches_) watches_ = std::make_unique<Win32TextWatches>();
    return watches_->Watch(ToHwnd(window), std::move(onChange));
  } catch (...) {
    // Without a watch the window is still polled.
    return nullptr;
  }
}

void Win32ForeignWindows::PumpOnce() { PumpPendingMessages(); }

}  // namespace tavrin::win32
