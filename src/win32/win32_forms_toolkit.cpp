#include "win32/win32_forms_toolkit.h"

#include <windows.h>

#include "win32/win32_form_window.h"

namespace tavrin::win32 {

std::unique_ptr<platform::FormWindow> Win32FormsToolkit::Create(
    const platform::FormDesign& design, platform::FormEvents& events) {
  return std::make_unique<Win32FormWindow>(design, events);
}

void Win32FormsToolkit::EndProgram() { ExitProcess(0); }

}  // namespace tavrin::win32
