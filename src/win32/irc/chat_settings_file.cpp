#include "win32/irc/chat_settings_file.h"

#include <windows.h>
#include <shlobj.h>

#include "win32/base/win32_handles.h"

namespace tavrin::win32::chat {
namespace {

constexpr DWORD kLargestSettingsFile = 1 << 20;

}  // namespace

std::wstring ChatSettingsPath() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr,
                              SHGFP_TYPE_CURRENT, folder))) {
    return {};
  }
  return std::wstring(folder) + L"\\Tavrin\\TavrinChat.ini";
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
  HANDLE raw = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                           nullptr, OPEN_EXISTING, 0, nullptr);
  if (raw == INVALID_HANDLE_VALUE) return std::nullopt;
  const UniqueKernelHandle file(raw);
  const DWORD size = GetFileSize(file.get(), nullptr);
  if (size == INVALID_FILE_SIZE || size > kLargestSettingsFile) return std::nullopt;
  std::string text(size, '\0');
  DWORD got = 0;
  if (!ReadFile(file.get(), text.data(), size, &got, nullptr)) return std::nullopt;
  text.resize(got);
  return text;
}

bool ReplaceWholeFile(const std::wstring& path, const std::string& text) {
  const auto slash = path.find_last_of(L'\\');
  if (slash == std::wstring::npos) return false;
  CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
  const std::wstring fresh = path + L".new";
  {
    HANDLE raw = CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) return false;
    const UniqueKernelHandle file(raw);
    DWORD written = 0;
    if (!WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()),
                   &written, nullptr) ||
        written != text.size() || !FlushFileBuffers(file.get())) {
      return false;
    }
  }
  return MoveFileExW(fresh.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace tavrin::win32::chat
