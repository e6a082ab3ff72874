// A bare Windows program for comparison with tavrin.exe: one hidden window
// and one 1 ms timer whose every tick makes exactly the window lookups and
// messages of one report refresh, and nothing else. Closed by WM_CLOSE to
// its window (class "BareRefreshTimer").

#include <windows.h>

#include "bare_refresh_messages.h"
#include "win32/win32_clock.h"
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
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER) {
      tavrin::bench::MakeBareRefreshMessages(windows);
      continue;
    }
    DispatchMessageW(&message);
  }
  DestroyWindow(window);
  return 0;
}
