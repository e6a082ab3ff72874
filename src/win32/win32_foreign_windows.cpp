#include "win32/win32_foreign_windows.h"

#include <algorithm>
#include <string>

#include "win32/message_pump.h"
#include "win32/win32_text.h"

namespace tavrin::win32 {
namespace {

using platform::HungWindowGuard;
using platform::WindowHandle;

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

WindowHandle FromHwnd(HWND window) {
  return reinterpret_cast<WindowHandle>(window);
}

// A bogus length from another program must not exhaust memory; a longer text
// comes back cut.
constexpr DWORD_PTR kMaxTextUnits = DWORD_PTR{1} << 24;

constexpr UINT kSendFlags = SMTO_ABORTIFHUNG | SMTO_NORMAL;
constexpr UINT kSendTimeoutMs =
    static_cast<UINT>(HungWindowGuard::kSendTimeout.count());

// ANSI bytes to allow per UTF-16 unit: two covers the double-byte code
// pages; a system code page of UTF-8 needs up to three.
std::size_t AnsiBytesPerUnit() {
  CPINFO info{};
  if (!GetCPInfo(CP_ACP, &info)) return 2;
  return std::max<std::size_t>(2, info.MaxCharSize);
}

}  // namespace

std::optional<DWORD_PTR> Win32ForeignWindows::SendBounded(
    WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam,
    Charset charset) {
  const HWND hwnd = ToHwnd(window);
  if (window == platform::kNoWindow || !IsWindow(hwnd)) return std::nullopt;
  if (!guard_.MayWait(window)) return std::nullopt;
  DWORD_PTR answer = 0;
  const LRESULT sent =
      charset == Charset::kWide
          ? SendMessageTimeoutW(hwnd, message, wParam, lParam, kSendFlags,
                                kSendTimeoutMs, &answer)
          : SendMessageTimeoutA(hwnd, message, wParam, lParam, kSendFlags,
                                kSendTimeoutMs, &answer);
  if (sent != 0) {
    guard_.RecordAnswer(window);
    return answer;
  }
  // A window that is still there but gave no answer is hung (time-out or
  // abandoned at once as hung); one that vanished meanwhile is just absent.
  if (IsWindow(hwnd)) guard_.RecordTimeout(window);
  return std::nullopt;
}

WindowHandle Win32ForeignWindows::FindTopLevel(std::string_view className) {
  const std::string ansiClass = AnsiFromUtf8(className);
  return FromHwnd(FindWindowA(ansiClass.c_str(), nullptr));
}

WindowHandle Win32ForeignWindows::FindChild(WindowHandle parent,
                                            WindowHandle after,
                                            std::string_view className) {
  const std::string ansiClass = AnsiFromUtf8(className);
  return FromHwnd(FindWindowExA(ToHwnd(parent), ToHwnd(after),
                                ansiClass.c_str(), nullptr));
}

std::intptr_t Win32ForeignWindows::Send(WindowHandle window, unsigned message,
                                        std::uintptr_t wParam,
                                        std::intptr_t lParam) {
  const auto answer = SendBounded(window, message, wParam, lParam);
  return answer ? static_cast<std::intptr_t>(*answer) : 0;
}

void Win32ForeignWindows::Post(WindowHandle window, unsigned message,
                               std::uintptr_t wParam, std::intptr_t lParam) {
  // A post to window 0 would land in this thread's own queue.
  if (window == platform::kNoWindow) return;
  PostMessageA(ToHwnd(window), message, wParam, lParam);
}

std::string Win32ForeignWindows::GetText(WindowHandle window) {
  // The wide length: under Wine the ANSI WM_GETTEXTLENGTH ignores the
  // time-out. It counts UTF-16 units, so the ANSI buffer allows for the
  // widest character of the code page.
  const auto length =
      SendBounded(window, WM_GETTEXTLENGTH, 0, 0, Charset::kWide);
  if (!length || *length == 0) return {};
  const std::size_t units = std::min(*length, kMaxTextUnits);
  std::string buffer(units * AnsiBytesPerUnit() + 1, '\0');
  const auto copied =
      SendBounded(window, WM_GETTEXT, buffer.size(),
                  reinterpret_cast<LPARAM>(buffer.data()));
  if (!copied) return {};
  buffer.resize(static_cast<std::size_t>(
      std::find(buffer.begin(), buffer.end(), '\0') - buffer.begin()));
  return Utf8FromAnsi(buffer);
}

void Win32ForeignWindows::SetText(WindowHandle window, std::string_view text) {
  const std::string ansi = AnsiFromUtf8(text);
  SendBounded(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ansi.c_str()));
}

void Win32ForeignWindows::PumpOnce() { PumpPendingMessages(); }

}  // namespace tavrin::win32
