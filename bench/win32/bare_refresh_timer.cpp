// A bare Windows program for comparison with tavrin.exe: one hidden window
// and one 1 ms timer whose every tick makes exactly the window lookups and
// messages of one report refresh, and nothing else. Closed by WM_CLOSE to
// its window (class "BareRefreshTimer"); it then prints how many ticks it
// made over its life. A timer's message is never queued twice, so ticks
// that fall due while one is still running are lost: on a busy machine it
// makes fewer than 100 a second, and costs less.

#include <windows.h>

#include <cstdio>

#include "bare_refresh_messages.h"
#include "win32/base/win32_clock.h"
#include "win32/win32_foreign_windows.h"

namespace {

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam,
                          LPARAM lParam) {
  if (message == WM_CLOSE) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  tavrin::win32::Win32Clock clock;
  tavrin::win32::Win32ForeignWindows windows(clock);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = BareProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"BareRefreshTimer";
  RegisterClassW(&windowClass);
  const HWND window = CreateWindowExW(0, L"BareRefreshTimer", L"", 0, 0, 0, 0,
                                      0, nullptr, nullptr, instance, nullptr);
  SetTimer(window, 1, 1, nullptr);
  const ULONGLONG start = GetTickCount64();
  unsigned long long ticks = 0;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER) {
      tavrin::bench::MakeBareRefreshMessages(windows);
      ++ticks;
      continue;
    }
    DispatchMessageW(&message);
  }
  DestroyWindow(window);
  std::printf("bare_refresh_timer: %llu ticks in %llu ms\n", ticks,
              static_cast<unsigned long long>(GetTickCount64() - start));
  return 0;
}
