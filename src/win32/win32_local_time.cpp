#include "win32/win32_local_time.h"

#include <windows.h>

#include "win32/base/win32_text.h"

namespace tavrin::win32 {
namespace {

// Long enough for any locale's format; a longer one gives the empty text
// rather than a cut one.
constexpr int kFormattedChars = 128;

}  // namespace

std::string Win32LocalTime::TimeOfDay() const {
  wchar_t text[kFormattedChars];
  const int written = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, nullptr,
                                      nullptr, text, kFormattedChars);
  if (written <= 0) return {};
  return Utf8FromWide(std::wstring_view(text, written - 1));
}

std::string Win32LocalTime::Today() const {
  wchar_t text[kFormattedChars];
  const int written =
      GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr,
                      nullptr, text, kFormattedChars, nullptr);
  if (written <= 0) return {};
  return Utf8FromWide(std::wstring_view(text, written - 1));
}

}  // namespace tavrin::win32
