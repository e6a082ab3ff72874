#include "win32/base/win32_clock.h"

#include <windows.h>

namespace tavrin::win32 {

platform::Milliseconds Win32Clock::Now() const {
  return platform::Milliseconds{GetTickCount64()};
}

}  // namespace tavrin::win32
