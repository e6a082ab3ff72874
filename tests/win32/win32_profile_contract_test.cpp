// The profile-file contract against the platform's own profile functions.

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "e2e_support.h"
#include "profile_file_contract.h"
#include "win32/win32_profile_file.h"
#include "win32/base/win32_text.h"

namespace tavrin::contract {
namespace {

class Win32ProfileFixture final : public ProfileFixture {
 public:
  Win32ProfileFixture()
      : folder_(win32::Utf8FromWide(e2e::NewTemporaryFolder())) {}

  platform::ProfileFile& Profile() override { return profile_; }
  std::string NewFilePath() override {
    return folder_ + "\\settings" + std::to_string(next_++) + ".ini";
  }
  std::string PathInMissingFolder() override {
    return folder_ + "\\no such folder\\settings.ini";
  }
  std::string Contents(std::string_view path) override {
    // The platform may keep a profile cached; flush it to the file first.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr,
                               std::string(path).c_str());
    std::ifstream in(win32::WideFromUtf8(path).c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  void Lay(std::string_view path, std::string_view bytes) override {
    std::ofstream(win32::WideFromUtf8(path).c_str(), std::ios::binary) << bytes;
    WritePrivateProfileStringA(nullptr, nullptr, nullptr,
                               std::string(path).c_str());
  }
  void MakeFolderAt(std::string_view path) override {
    CreateDirectoryW(win32::WideFromUtf8(path).c_str(), nullptr);
  }
  std::vector<std::string> NamesBeside(std::string_view path) override {
    const std::string text(path);
    const std::wstring pattern =
        win32::WideFromUtf8(text.substr(0, text.find_last_of('\\'))) + L"\\*";
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      const std::wstring_view name = found.cFileName;
      if (name != L"." && name != L"..") {
        names.push_back(win32::Utf8FromWide(name));
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::string folder_;
  win32::Win32ProfileFile profile_;
  int next_ = 0;
};

}  // namespace

std::unique_ptr<ProfileFixture> MakeProfileFixture() {
  return std::make_unique<Win32ProfileFixture>();
}

}  // namespace tavrin::contract
