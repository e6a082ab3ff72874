#include "win32/win32_profile_file.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "settings/stored_path.h"
#include "win32/system_library.h"
#include "win32/win32_file_names.h"
#include "win32/base/win32_text.h"

namespace tavrin::win32 {
namespace {

constexpr DWORD kFirstBufferSize = 256;
// Far beyond any profile line; stops the growth should the call misbehave.
constexpr DWORD kMaxBufferSize = DWORD{1} << 24;

bool IsFolder(const std::string& ansiPath) {
  const DWORD attributes = GetFileAttributesA(ansiPath.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string FolderOf(const std::string& ansiPath) {
  const auto end = ansiPath.find_last_of("\\/");
  return end == std::string::npos ? std::string() : ansiPath.substr(0, end);
}

// Whether a new file can be made in the folder: one is made under a name
// nobody uses, and the system deletes it as it is closed.
bool FolderTakesNewFiles(const std::string& ansiFolder) {
  static LONG counter = 0;
  for (int attempt = 0; attempt < 8; ++attempt) {
    const std::string probe =
        ansiFolder + "\\~tavrin-probe-" +
        std::to_string(GetCurrentProcessId()) + "-" +
        std::to_string(InterlockedIncrement(&counter)) + ".tmp";
    const HANDLE file = CreateFileA(
        probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN |
            FILE_FLAG_DELETE_ON_CLOSE,
        nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      return true;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
      return false;
    }
  }
  return false;
}

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

bool Win32ProfileFile::Exists(std::string_view file) {
  const DWORD attributes = GetFileAttributesA(AnsiFromUtf8(file).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32ProfileFile::CanWrite(std::string_view file) {
  const std::string path = AnsiFromUtf8(file);
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    // A missing folder, or one that may not even be looked into, is no
    // place to write.
    if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    return FolderTakesNewFiles(FolderOf(path));
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  // Opening an existing file for writing changes nothing in it.
  HANDLE opened = CreateFileA(
      path.c_str(), GENERIC_WRITE,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return false;
  CloseHandle(opened);
  return true;
}

bool Win32ProfileFile::CreateFolderOf(std::string_view file) {
  const std::string folder = FolderOf(AnsiFromUtf8(file));
  if (folder.empty()) return false;
  // Each missing level in turn, from the top.
  for (auto end = folder.find_first_of("\\/");;
       end = folder.find_first_of("\\/", end + 1)) {
    const std::string level = folder.substr(0, end);
    if (!level.empty() && level.back() != ':' && !IsFolder(level)) {
      CreateDirectoryA(level.c_str(), nullptr);
    }
    if (end == std::string::npos) break;
  }
  return IsFolder(folder);
}

std::string RoamingAppDataFolder() {
  using FolderFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
  static const auto folderPath =
      SystemFunction<FolderFunction>(L"shell32.dll", "SHGetFolderPathW");
  wchar_t folder[MAX_PATH] = {};
  if (folderPath == nullptr ||
      FAILED(folderPath(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT,
                        folder))) {
    return {};
  }
  // Named as the settings file names the player: by its short path where
  // the code page lacks characters of the long one.
  Win32FileNames names;
  const std::string name = settings::StoredPath(names, Utf8FromWide(folder));
  return names.FitsCodePage(name) ? name : std::string();
}

}  // namespace tavrin::win32
