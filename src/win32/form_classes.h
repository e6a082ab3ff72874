#pragma once

#include <windows.h>

#include "platform/forms.h"

namespace tavrin::win32 {

// One window class per skin, so that a script can find each window by its
// class: "TavrinSplashForm", "TavrinMainForm", "TavrinAboutForm",
// "TavrinMessageForm", "TavrinCommandsForm".
const wchar_t* FormClassName(platform::FormSkin skin);

// Registers the skin's class once per process (double-clicks on, the
// program's icon, no background brush: the skin paints every pixel);
// false if that failed.
bool RegisterFormClass(platform::FormSkin skin, WNDPROC procedure);

}  // namespace tavrin::win32
