#include "win32/win32_text.h"

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

std::string NarrowFrom(UINT codePage, std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  // For the ANSI code page, unmappable characters take the default "?".
  const int length = WideCharToMultiByte(codePage, 0, wide.data(), size,
                                         nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), length,
                      nullptr, nullptr);
  return text;
}

}  // namespace

std::wstring WideFromUtf8(std::string_view utf8) {
  return WideFrom(CP_UTF8, utf8);
}

std::string Utf8FromWide(std::wstring_view wide) {
  return NarrowFrom(CP_UTF8, wide);
}

std::string AnsiFromUtf8(std::string_view utf8) {
  return NarrowFrom(CP_ACP, WideFromUtf8(utf8));
}

std::string Utf8FromAnsi(std::string_view ansi) {
  return Utf8FromWide(WideFrom(CP_ACP, ansi));
}

}  // namespace tavrin::win32
