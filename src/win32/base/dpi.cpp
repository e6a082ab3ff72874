#include "win32/base/dpi.h"

#include "win32/base/gdi_scopes.h"

namespace tavrin::win32 {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up at run time: older systems lack the function.
GetDpiForWindowFunction FindGetDpiForWindow() {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return nullptr;
  return reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
}

}  // namespace

int ScreenDpi(Axis axis) {
  const WindowDc screen(nullptr);
  const int index = axis == Axis::kVertical ? LOGPIXELSY : LOGPIXELSX;
  const int dpi = screen.Dc() ? GetDeviceCaps(screen.Dc(), index) : 0;
  return dpi > 0 ? dpi : kStandardDpi;
}

int WindowDpi(HWND window) {
  static const GetDpiForWindowFunction getDpiForWindow = FindGetDpiForWindow();
  if (getDpiForWindow != nullptr && window != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}

int Scaled(int length, int dpi) { return MulDiv(length, dpi, kStandardDpi); }

}  // namespace tavrin::win32
