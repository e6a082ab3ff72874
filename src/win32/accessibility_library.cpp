#include "win32/accessibility_library.h"

#include "win32/system_library.h"

namespace tavrin::win32 {

AccessibilityLibrary::AccessibilityLibrary()
    : lresultFromObject(SystemFunction<LresultFromObjectFunction>(
          L"oleacc.dll", "LresultFromObject")),
      createStdObject(SystemFunction<CreateStdObjectFunction>(
          L"oleacc.dll", "CreateStdAccessibleObject")),
      sysAllocString(SystemFunction<SysAllocStringFunction>(L"oleaut32.dll",
                                                            "SysAllocString")) {
  using CoInitializeExFunction = HRESULT(WINAPI*)(void*, DWORD);
  const auto coInitializeEx =
      SystemFunction<CoInitializeExFunction>(L"ole32.dll", "CoInitializeEx");
  apartment = coInitializeEx != nullptr &&
              SUCCEEDED(coInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

const AccessibilityLibrary& AccessibilityFunctions() {
  static const AccessibilityLibrary library;
  return library;
}

HRESULT AccessibleText(const std::wstring& text, BSTR* out) {
  *out = text.empty() ? nullptr
                      : AccessibilityFunctions().sysAllocString(text.c_str());
  if (text.empty()) return S_FALSE;
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace tavrin::win32
