#pragma once

#include <windows.h>

namespace tavrin::win32 {

// A function of a system library that most sessions never need, so that
// the start does not pay for it: the library is loaded on first use, from
// the system folder only, and kept for the program's life. Nothing when it
// cannot be loaded.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
  const HMODULE module =
      LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace tavrin::win32
