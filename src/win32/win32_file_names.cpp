#include "win32/win32_file_names.h"

#include <windows.h>

#include <string>

#include "win32/base/win32_text.h"

namespace tavrin::win32 {

bool Win32FileNames::FitsCodePage(std::string_view text) {
  return Utf8FromAnsi(AnsiFromUtf8(text)) == text;
}

std::optional<std::string> Win32FileNames::ShortPath(std::string_view path) {
  const std::wstring longPath = WideFromUtf8(path);
  // Asked with no room, the call gives the size the answer needs, its NUL
  // included; the file may be renamed in between, so ask until it fits.
  DWORD size = GetShortPathNameW(longPath.c_str(), nullptr, 0);
  while (size != 0) {
    std::wstring shortPath(size, L'\0');
    const DWORD length =
        GetShortPathNameW(longPath.c_str(), shortPath.data(), size);
    if (length == 0) break;
    if (length < size) {
      shortPath.resize(length);
      return Utf8FromWide(shortPath);
    }
    size = length;
  }
  return std::nullopt;
}

}  // namespace tavrin::win32
