#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>

// The system's accessibility libraries. Few sessions meet a screen reader:
// the libraries are loaded when the first one asks, and the thread joins a
// single-threaded apartment then, which calls from other programs need.
namespace tavrin::win32 {

struct AccessibilityLibrary {
  using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
  using CreateStdObjectFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
  using SysAllocStringFunction = BSTR(WINAPI*)(const OLECHAR*);

  AccessibilityLibrary();
  bool Ready() const {
    return lresultFromObject && createStdObject && sysAllocString && apartment;
  }

  LresultFromObjectFunction lresultFromObject = nullptr;
  CreateStdObjectFunction createStdObject = nullptr;
  SysAllocStringFunction sysAllocString = nullptr;
  bool apartment = false;
};

// Loaded on the first call; Ready() says whether all was found.
const AccessibilityLibrary& AccessibilityFunctions();

// A text for a caller in another program: S_FALSE and no string when the
// text is empty.
HRESULT AccessibleText(const std::wstring& text, BSTR* out);

}  // namespace tavrin::win32
