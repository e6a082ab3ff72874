#include "win32/win32_profile_file.h"

#include <windows.h>

#include <string>

#include "win32/win32_text.h"

namespace tavrin::win32 {
namespace {

constexpr DWORD kFirstBufferSize = 256;
// Far beyond any profile line; stops the growth should the call misbehave.
constexpr DWORD kMaxBufferSize = DWORD{1} << 24;

}  // namespace

std::string Win32ProfileFile::Read(std::string_view section,
                                   std::string_view key,
                                   std::string_view file) {
  const std::string ansiSection = AnsiFromUtf8(section);
  const std::string ansiKey = AnsiFromUtf8(key);
  const std::string ansiFile = AnsiFromUtf8(file);
  std::string value;
  // A value cut to fit comes back as size - 1 characters: grow and ask again.
  for (DWORD size = kFirstBufferSize;; size *= 2) {
    value.assign(size, '\0');
    const DWORD copied = GetPrivateProfileStringA(
        ansiSection.c_str(), ansiKey.c_str(), "", value.data(), size,
        ansiFile.c_str());
    value.resize(copied);
    if (copied + 1 < size || size >= kMaxBufferSize) break;
  }
  return Utf8FromAnsi(value);
}

bool Win32ProfileFile::Write(std::string_view section, std::string_view key,
                             std::string_view value, std::string_view file) {
  const std::string ansiSection = AnsiFromUtf8(section);
  const std::string ansiKey = AnsiFromUtf8(key);
  const std::string ansiValue = AnsiFromUtf8(value);
  const std::string ansiFile = AnsiFromUtf8(file);
  return WritePrivateProfileStringA(ansiSection.c_str(), ansiKey.c_str(),
                                    ansiValue.c_str(),
                                    ansiFile.c_str()) != FALSE;
}

}  // namespace tavrin::win32
