#pragma once

#include <windows.h>

#include <memory>

#include "platform/forms.h"

namespace tavrin::win32 {

// The forms toolkit on Windows: every form is a Win32FormWindow.
class Win32FormsToolkit final : public platform::FormsToolkit {
 public:
  // Throws std::runtime_error when the window cannot be created.
  std::unique_ptr<platform::FormWindow> Create(
      const platform::FormDesign& design,
      platform::FormEvents& events) override;
  // ExitProcess: no message is handled after it.
  void EndProgram() override;
};

// The message router of a program made of forms: Tab, Enter and Esc typed
// in a form's text or list box go to the form, which moves between its
// controls or closes.
bool RouteKeysToForms(MSG& message);

}  // namespace tavrin::win32
