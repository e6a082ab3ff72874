#include "win32/base/window_binding.h"

#include <stdexcept>
#include <string>

namespace tavrin::win32 {

bool RegisterWindowClass(const wchar_t* className, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = className;
  return RegisterClassExW(&windowClass) != 0 ||
         GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

UniqueWindow CreateMessageOnlyWindow(const wchar_t* className,
                                     WNDPROC procedure, void* owner) {
  if (!RegisterWindowClass(className, procedure)) {
    throw std::runtime_error("message-only window class not registered");
  }
  UniqueWindow window(CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0,
                                      HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), owner));
  if (!window) throw std::runtime_error("message-only window not created");
  return window;
}

}  // namespace tavrin::win32
