#include "win32/form_classes.h"

#include "win32/app_icon.h"

namespace tavrin::win32 {

const wchar_t* FormClassName(platform::FormSkin skin) {
  switch (skin) {
    case platform::FormSkin::kSplash: return L"TavrinSplashForm";
    case platform::FormSkin::kMain: return L"TavrinMainForm";
    case platform::FormSkin::kAbout: return L"TavrinAboutForm";
    case platform::FormSkin::kMessage: return L"TavrinMessageForm";
    case platform::FormSkin::kCommands: return L"TavrinCommandsForm";
    case platform::FormSkin::kOptions: return L"TavrinOptionsForm";
    case platform::FormSkin::kSongAdvSetup: return L"TavrinSongAdvSetupForm";
  }
  return L"TavrinForm";
}

bool RegisterFormClass(platform::FormSkin skin, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hIcon = AppIcon(IconSize::kLarge);
  windowClass.hIconSm = AppIcon(IconSize::kSmall);
  windowClass.hCursor =
      LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = FormClassName(skin);
  return RegisterClassExW(&windowClass) != 0 ||
         GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace tavrin::win32
