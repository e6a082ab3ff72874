// Where the settings live when the fixed place cannot be written: the
// adapter chain and tavrin.exe itself, against the real profile functions.
// The tests run as root, so a folder standing where the fixed file would be
// is what makes that place unwritable.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "e2e_support.h"
#include "settings/settings_location.h"
#include "settings/settings_store.h"
#include "shell/main_frm.h"
#include "shell_driving.h"
#include "win32/base/win32_handles.h"
#include "win32/win32_profile_file.h"
#include "win32/base/win32_text.h"

namespace tavrin::e2e {
namespace {

using settings::kSettingsFile;
using settings::kSettingsSection;

// Drops what this process's profile functions keep of the file.
void ForgetCachedProfile(const std::wstring& path) {
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsEmptyFolder(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool empty = true;
  do {
    const std::wstring_view name = found.cFileName;
    if (name != L"." && name != L"..") empty = false;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return empty;
}

void WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
            nullptr);
  CloseHandle(file);
  ASSERT_EQ(written, bytes.size());
}

// Takes a file out of the way for a test and puts back what was there
// before, whatever the test left. With `ownFolder` its folder goes too while
// empty, and is made again afterwards only if it was there.
class PlaceKeeper {
 public:
  PlaceKeeper(std::wstring path, bool ownFolder)
      : path_(std::move(path)),
        folder_(path_.substr(0, path_.find_last_of(L'\\'))),
        ownFolder_(ownFolder),
        folderExisted_(IsFolder(folder_)) {
    ForgetCachedProfile(path_);
    if (IsFile(path_)) saved_ = ReadWholeFile(path_);
    Clear();
  }
  ~PlaceKeeper() {
    ForgetCachedProfile(path_);
    Clear();
    if (folderExisted_) CreateDirectoryW(folder_.c_str(), nullptr);
    if (saved_) WriteWholeFile(path_, *saved_);
  }
  PlaceKeeper(const PlaceKeeper&) = delete;
  PlaceKeeper& operator=(const PlaceKeeper&) = delete;

 private:
  // Nothing left at the path: no file, read-only or not, and no folder.
  void Clear() {
    SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path_.c_str());
    RemoveDirectoryW(path_.c_str());
    if (ownFolder_) RemoveDirectoryW(folder_.c_str());
  }

  std::wstring path_;
  std::wstring folder_;
  bool ownFolder_;
  bool folderExisted_;
  std::optional<std::string> saved_;
};

class SettingsLocationOnWine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(appData_.empty());
    ASSERT_FALSE(IsFile(fixed_)) << "the keeper took the fixed file away";
    ASSERT_FALSE(IsFile(userFile_));
    ASSERT_FALSE(IsFolder(UserFolder()));
  }

  std::wstring UserFolder() const {
    return userFile_.substr(0, userFile_.find_last_of(L'\\'));
  }

  // What the profile functions left in a file, once this process's cache of
  // it is gone.
  std::string Contents(const std::wstring& path) {
    ForgetCachedProfile(path);
    return ReadWholeFile(path);
  }

  const std::string appData_ = win32::RoamingAppDataFolder();
  const std::wstring fixed_ = win32::WideFromUtf8(kSettingsFile);
  const std::wstring userFile_ =
      win32::WideFromUtf8(settings::UserSettingsFile(appData_));
  PlaceKeeper fixedKeeper_{fixed_, false};
  PlaceKeeper userKeeper_{userFile_, true};
  win32::Win32ProfileFile files_;
};

TEST_F(SettingsLocationOnWine, PerUserFileIsUnderAppData) {
  wchar_t expected[MAX_PATH] = {};
  ASSERT_GT(ExpandEnvironmentStringsW(L"%APPDATA%\\Tavrin\\TavrinSettings.ini",
                                      expected, MAX_PATH),
            0u);
  EXPECT_EQ(CompareStringOrdinal(userFile_.c_str(), -1, expected, -1, TRUE),
            CSTR_EQUAL)
      << win32::Utf8FromWide(userFile_) << " vs "
      << win32::Utf8FromWide(expected);
}

TEST_F(SettingsLocationOnWine, WritableFixedPlaceKeepsTheSettingsThere) {
  settings::SettingsLocation place(files_, appData_);
  EXPECT_FALSE(place.Moved());
  settings::WriteSetting(place, kSettingsSection, "Ascii", "~~", kSettingsFile);
  EXPECT_EQ(
      settings::ReadSetting(place, kSettingsSection, "Ascii", kSettingsFile),
      "~~");
  EXPECT_NE(Contents(fixed_).find("Ascii=~~\r\n"), std::string::npos);
  EXPECT_FALSE(IsFile(userFile_));

  // The probe of a missing file left nothing in the system folder.
  const std::wstring system = fixed_.substr(0, fixed_.find_last_of(L'\\'));
  WIN32_FIND_DATAW found{};
  const HANDLE search =
      FindFirstFileW((system + L"\\~tavrin-probe-*").c_str(), &found);
  EXPECT_EQ(search, INVALID_HANDLE_VALUE);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

TEST_F(SettingsLocationOnWine, FolderAtTheFixedPlaceSendsTheSettingsToAppData) {
  ASSERT_TRUE(CreateDirectoryW(fixed_.c_str(), nullptr));
  {
    settings::SettingsLocation place(files_, appData_);
    ASSERT_TRUE(place.Moved());
    settings::SaveFRM holder;
    settings::LoadSettings(place, holder);
    EXPECT_EQ(holder.Ascii, "");
    EXPECT_FALSE(IsFile(userFile_)) << "reading creates no file";

    settings::WriteSetting(place, kSettingsSection, "Ascii", "^^",
                           kSettingsFile);
    settings::WriteSetting(place, kSettingsSection, "UseSongName", "1",
                           kSettingsFile);
    EXPECT_EQ(
        settings::ReadSetting(place, kSettingsSection, "Ascii", kSettingsFile),
        "^^");
  }
  EXPECT_EQ(Contents(userFile_),
            "[Tavrin Save]\r\nAscii=^^\r\nUseSongName=1\r\n");
  EXPECT_TRUE(IsEmptyFolder(fixed_));

  // The next start finds them there.
  settings::SettingsLocation again(files_, appData_);
  EXPECT_EQ(again.ReadingFrom(), settings::UserSettingsFile(appData_));
  settings::SaveFRM holder;
  settings::LoadSettings(again, holder);
  EXPECT_EQ(holder.Ascii, "^^");
  EXPECT_EQ(holder.SongNameCB, settings::kChecked);
}

// Root ignores the read-only attribute under Wine; a handle that lets others
// read but not write makes an existing fixed file that cannot be written.
TEST_F(SettingsLocationOnWine, UnwritableFixedFileIsCopiedOnTheFirstWrite) {
  const std::string fixed =
      "[Tavrin Save]\r\nAscii=~~\r\nUseBitRate=1\r\nAutoAdv=\r\n";
  WriteWholeFile(fixed_, fixed);
  const win32::UniqueKernelHandle lock(
      CreateFileW(fixed_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_NE(lock.get(), INVALID_HANDLE_VALUE);
  ASSERT_FALSE(files_.Write(kSettingsSection, "Ascii", "##", kSettingsFile))
      << "the fixed file must refuse writes for this test to mean anything";

  settings::SettingsLocation place(files_, appData_);
  ASSERT_TRUE(place.Moved());
  settings::SaveFRM holder;
  settings::LoadSettings(place, holder);
  EXPECT_EQ(holder.Ascii, "~~");
  EXPECT_EQ(holder.BitRateCB, settings::kChecked);
  EXPECT_FALSE(IsFile(userFile_)) << "reading creates no file";

  settings::WriteSetting(place, kSettingsSection, "UseSongLen", "1",
                         kSettingsFile);
  EXPECT_EQ(Contents(userFile_),
            "[Tavrin Save]\r\nAscii=~~\r\nUseBitRate=1\r\nUseSongLen=1\r\n");
  settings::WriteSetting(place, kSettingsSection, "Ascii", "^^", kSettingsFile);
  EXPECT_EQ(
      settings::ReadSetting(place, kSettingsSection, "Ascii", kSettingsFile),
      "^^");
  EXPECT_EQ(Contents(userFile_),
            "[Tavrin Save]\r\nAscii=^^\r\nUseBitRate=1\r\nUseSongLen=1\r\n");
  EXPECT_EQ(ReadWholeFile(fixed_), fixed);
}

// tavrin.exe with the fixed place taken by a folder, next to the stand-in
// chat client, whose room shows the start-up line with the decoration read.
class TavrinWithFixedPlaceTaken : public SettingsLocationOnWine {
 protected:
  void SetUp() override {
    SettingsLocationOnWine::SetUp();
    ASSERT_TRUE(CreateDirectoryW(fixed_.c_str(), nullptr));
    chat_ = Process::Start(ProgramFolder() + L"\\standin-chat.exe", L"");
    ASSERT_NE(WaitForChatClient(), nullptr);
  }

  bool StartupLineArrives(const std::string& decoration) {
    const std::string line = "DemoUser:\t" + decoration +
                             std::string(shell::MainFRM::kStartupLine) + "\r\n";
    return WaitUntil(
        [&] {
          return WindowText(RoomTranscript(1)).find(line) != std::string::npos;
        },
        15s);
  }

  Process chat_, program_;
};

TEST_F(TavrinWithFixedPlaceTaken, ReadsItsSettingsFromAppData) {
  ASSERT_TRUE(CreateDirectoryW(UserFolder().c_str(), nullptr));
  WriteWholeFile(userFile_, "[Tavrin Save]\r\nAscii=^^\r\n");
  program_ = Process::Start(ProgramFolder() + L"\\tavrin.exe", L"");
  ASSERT_NE(PassTheSplash(), nullptr);
  EXPECT_TRUE(StartupLineArrives("^^")) << WindowText(RoomTranscript(1));
}

TEST_F(TavrinWithFixedPlaceTaken, FirstStartLeavesNoSettingsFileBehind) {
  program_ = Process::Start(ProgramFolder() + L"\\tavrin.exe", L"");
  ASSERT_NE(PassTheSplash(), nullptr);
  // The start-up line comes after the settings were read.
  ASSERT_TRUE(StartupLineArrives("")) << WindowText(RoomTranscript(1));
  EXPECT_TRUE(HoldsFor(
      [&] {
        return !IsFile(userFile_) && !IsFolder(UserFolder()) &&
               IsEmptyFolder(fixed_);
      },
      1s));
}

}  // namespace
}  // namespace tavrin::e2e
