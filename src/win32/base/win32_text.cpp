#include "win32/base/win32_text.h"

#include <windows.h>

namespace tavrin::win32 {
namespace {

std::wstring WideFrom(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string NarrowFrom(UINT codePage, DWORD flags, std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(codePage, flags, wide.data(), size,
                                         nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), size, text.data(), length,
                      nullptr, nullptr);
  return text;
}

// No best-fit look-alikes: a full-width letter must not turn into its ASCII
// twin, nor a full-width backslash into a path separator. A code page of
// UTF-8 holds every character and takes no such flag.
DWORD AnsiFlags() {
  return GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
}

}  // namespace

std::wstring WideFromUtf8(std::string_view utf8) {
  return WideFrom(CP_UTF8, utf8);
}

std::string Utf8FromWide(std::wstring_view wide) {
  return NarrowFrom(CP_UTF8, 0, wide);
}

std::string AnsiFromUtf8(std::string_view utf8) {
  return NarrowFrom(CP_ACP, AnsiFlags(), WideFromUtf8(utf8));
}

std::string Utf8FromAnsi(std::string_view ansi) {
  return Utf8FromWide(WideFrom(CP_ACP, ansi));
}

}  // namespace tavrin::win32
