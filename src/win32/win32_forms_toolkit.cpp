#include "win32/win32_forms_toolkit.h"

#include <windows.h>

#include "win32/win32_form_window.h"

namespace tavrin::win32 {

std::unique_ptr<platform::FormWindow> Win32FormsToolkit::Create(
    const platform::FormDesign& design, platform::FormEvents& events) {
  return std::make_unique<Win32FormWindow>(design, events);
}

void Win32FormsToolkit::EndProgram() { ExitProcess(0); }

bool RouteKeysToForms(MSG& message) {
  // The key codes of Tab, Enter and Esc are also their characters.
  const bool formKey =
      (message.message == WM_KEYDOWN || message.message == WM_CHAR) &&
      (message.wParam == VK_TAB || message.wParam == VK_RETURN ||
       message.wParam == VK_ESCAPE);
  if (formKey) {
    const HWND form = GetAncestor(message.hwnd, GA_ROOT);
    if (form != nullptr) message.hwnd = form;
  }
  return false;
}

}  // namespace tavrin::win32
