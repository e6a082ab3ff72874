#include "settings/settings_location.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "settings/ini_profile_file.h"
#include "settings/settings_store.h"
#include "temp_root.h"

namespace tavrin::settings {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kAppData = R"(C:\users\tester\AppData\Roaming)";
constexpr std::string_view kUserFile =
    R"(C:\users\tester\AppData\Roaming\Tavrin\TavrinSettings.ini)";

// The portable adapter, except that the fixed settings file cannot be
// written, as for a standard user on Windows; it counts the writes each
// file is asked for.
class GuardedSystemFolder final : public platform::ProfileFile {
 public:
  explicit GuardedSystemFolder(const fs::path& root) : files_(root) {}

  std::string Read(std::string_view section, std::string_view key,
                   std::string_view file) override {
    return files_.Read(section, key, file);
  }
  bool Write(std::string_view section, std::string_view key,
             std::string_view value, std::string_view file) override {
    ++writes[std::string(file)];
    if (file == kSettingsFile) return false;
    return files_.Write(section, key, value, file);
  }
  bool Exists(std::string_view file) override { return files_.Exists(file); }
  bool CanWrite(std::string_view file) override {
    return file != kSettingsFile && files_.CanWrite(file);
  }
  bool CreateFolderOf(std::string_view file) override {
    return files_.CreateFolderOf(file);
  }

  std::map<std::string, int> writes;

 private:
  IniProfileFile files_;
};

class SettingsLocationTest : public ::testing::Test {
 protected:
  fs::path Host(std::string_view file) const {
    return IniProfileFile(root_.Path()).HostPath(file);
  }
  void Lay(std::string_view file, std::string_view bytes) {
    std::ofstream(Host(file), std::ios::binary) << bytes;
  }
  std::string Contents(std::string_view file) const {
    std::ifstream in(Host(file), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // Every file under the drives, as paths relative to the root.
  std::vector<std::string> AllFiles() const {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root_.Path())) {
      if (!entry.is_directory()) {
        files.push_back(fs::relative(entry.path(), root_.Path()).string());
      }
    }
    return files;
  }
  bool UserFolderExists() const {
    return fs::exists(Host(kUserFile).parent_path());
  }

  testing::TempRoot root_;
};

TEST(UserSettingsFile, SitsInATavrinFolderUnderTheGivenOne) {
  EXPECT_EQ(UserSettingsFile(kAppData), kUserFile);
  EXPECT_EQ(UserSettingsFile(R"(C:\users\tester\AppData\Roaming\)"), kUserFile);
}

// The folder is asked for once, at the first use: a per-user file that
// appeared after the start is the one read.
TEST_F(SettingsLocationTest, DecidedAtTheFirstUse) {
  GuardedSystemFolder files(root_.Path());
  int asked = 0;
  SettingsLocation place(files, [&] {
    ++asked;
    return std::string(kAppData);
  });
  EXPECT_EQ(asked, 0);
  ASSERT_TRUE(files.CreateFolderOf(kUserFile));
  Lay(kUserFile, "[Tavrin Save]\r\nAscii=~~\r\n");
  EXPECT_EQ(place.Read(kSettingsSection, "Ascii", kSettingsFile), "~~");
  EXPECT_EQ(place.Read(kSettingsSection, "Ascii", kSettingsFile), "~~");
  EXPECT_EQ(asked, 1);
}

TEST_F(SettingsLocationTest, WritableFixedPlaceKeepsTheSettingsThere) {
  IniProfileFile files(root_.Path());
  SettingsLocation place(files, kAppData);
  EXPECT_FALSE(place.Moved());
  EXPECT_EQ(place.ReadingFrom(), kSettingsFile);

  WriteSetting(place, kSettingsSection, "Ascii", "~~", kSettingsFile);
  EXPECT_EQ(ReadSetting(place, kSettingsSection, "Ascii", kSettingsFile), "~~");
  EXPECT_EQ(files.Read(kSettingsSection, "Ascii", kSettingsFile), "~~");
  EXPECT_FALSE(UserFolderExists());
  EXPECT_EQ(
      AllFiles(),
      std::vector<std::string>{"drive_c/windows/system32/TavrinSettings.ini"})
      << "the probe leaves nothing behind";
}

TEST_F(SettingsLocationTest, FirstStartWithoutSettingsLeavesNoFileAnywhere) {
  for (const bool writable : {true, false}) {
    GuardedSystemFolder guarded(root_.Path());
    IniProfileFile plain(root_.Path());
    platform::ProfileFile& files =
        writable ? static_cast<platform::ProfileFile&>(plain) : guarded;
    SettingsLocation place(files, kAppData);
    EXPECT_EQ(place.Moved(), !writable);
    SaveFRM holder;
    LoadSettings(place, holder);
    EXPECT_EQ(holder.Ascii, "");
    EXPECT_EQ(holder.SongNameCB, kUnchecked);
    EXPECT_EQ(AllFiles(), std::vector<std::string>{}) << writable;
    EXPECT_FALSE(UserFolderExists()) << writable;
    EXPECT_TRUE(guarded.writes.empty());
  }
}

TEST_F(SettingsLocationTest, UnwritableFixedPlaceReadsTheFixedFileUntilAWrite) {
  Lay(kSettingsFile, "[Tavrin Save]\r\nAscii=~~\r\nUseSongName=1\r\n");
  GuardedSystemFolder files(root_.Path());
  SettingsLocation place(files, kAppData);
  EXPECT_TRUE(place.Moved());
  EXPECT_EQ(place.ReadingFrom(), kSettingsFile);

  SaveFRM holder;
  LoadSettings(place, holder);
  EXPECT_EQ(holder.Ascii, "~~");
  EXPECT_EQ(holder.SongNameCB, kChecked);
  EXPECT_FALSE(UserFolderExists()) << "reading creates nothing";
  EXPECT_TRUE(files.writes.empty());
}

TEST_F(SettingsLocationTest,
       FirstWriteCopiesTheFixedValuesThenStoresTheNewOne) {
  const std::string fixed =
      "[Tavrin Save]\r\nAscii=~~\r\nWinampDIR=C:\\P\\p.exe\r\n"
      "AutoLoadWA=0\r\nAutoAdv=\r\nUseSongName=1\r\nUseBitRate=1\r\n"
      "Unknown=kept out\r\n[Elsewhere]\r\nUseElapRem=1\r\n";
  Lay(kSettingsFile, fixed);
  GuardedSystemFolder files(root_.Path());
  SettingsLocation place(files, kAppData);

  WriteSetting(place, kSettingsSection, "UseBitRate", "0", kSettingsFile);

  EXPECT_EQ(place.ReadingFrom(), kUserFile);
  EXPECT_EQ(Contents(kUserFile),
            "[Tavrin Save]\r\nAscii=~~\r\nAutoLoadWA=0\r\n"
            "WinampDIR=C:\\P\\p.exe\r\nUseSongName=1\r\nUseBitRate=0\r\n")
      << "the ten keys' non-empty values, then the new value";
  EXPECT_EQ(Contents(kSettingsFile), fixed) << "the fixed file is left alone";
  EXPECT_EQ(files.writes.count(std::string(kSettingsFile)), 0u);

  SaveFRM holder;
  LoadSettings(place, holder);
  EXPECT_EQ(holder.Ascii, "~~");
  EXPECT_EQ(holder.Dir, "C:\\P\\p.exe");
  EXPECT_EQ(holder.SongNameCB, kChecked);
  EXPECT_EQ(holder.BitRateCB, kUnchecked);
  EXPECT_EQ(holder.ElapRemCB, kUnchecked) << "other sections are not copied";
}

TEST_F(SettingsLocationTest, CopiedValuesReadBackExactly) {
  Lay(kSettingsFile,
      "[Tavrin Save]\r\nAscii=\"  ~~  \"\r\nWinampDIR='\"C:\\a "
      "b\\p.exe\"'\r\n");
  GuardedSystemFolder files(root_.Path());
  SettingsLocation place(files, kAppData);
  const std::string ascii =
      ReadSetting(place, kSettingsSection, "Ascii", kSettingsFile);
  const std::string dir =
      ReadSetting(place, kSettingsSection, "WinampDIR", kSettingsFile);
  ASSERT_EQ(ascii, "  ~~  ");
  ASSERT_EQ(dir, "\"C:\\a b\\p.exe\"");

  WriteSetting(place, kSettingsSection, "AutoAdv", "1", kSettingsFile);
  ASSERT_EQ(place.ReadingFrom(), kUserFile);
  EXPECT_EQ(ReadSetting(place, kSettingsSection, "Ascii", kSettingsFile),
            ascii);
  EXPECT_EQ(ReadSetting(place, kSettingsSection, "WinampDIR", kSettingsFile),
            dir);
}

TEST_F(SettingsLocationTest, AfterTheMoveEveryReadAndWriteUsesOnlyTheUserFile) {
  Lay(kSettingsFile, "[Tavrin Save]\r\nAscii=~~\r\n");
  GuardedSystemFolder files(root_.Path());
  SettingsLocation place(files, kAppData);
  WriteSetting(place, kSettingsSection, "UseSongName", "1", kSettingsFile);
  ASSERT_EQ(Contents(kUserFile),
            "[Tavrin Save]\r\nAscii=~~\r\nUseSongName=1\r\n");

  // The fixed file changing behind the program's back no longer matters.
  Lay(kSettingsFile, "[Tavrin Save]\r\nAscii=##\r\nUseBitRate=1\r\n");
  WriteSetting(place, kSettingsSection, "Ascii", "^^", kSettingsFile);
  WriteSetting(place, kSettingsSection, "UseSongLen", "1", kSettingsFile);
  EXPECT_EQ(Contents(kUserFile),
            "[Tavrin Save]\r\nAscii=^^\r\nUseSongName=1\r\nUseSongLen=1\r\n")
      << "nothing copied a second time";
  EXPECT_EQ(ReadSetting(place, kSettingsSection, "Ascii", kSettingsFile), "^^");
  EXPECT_EQ(ReadSetting(place, kSettingsSection, "UseBitRate", kSettingsFile),
            "");
  EXPECT_EQ(files.writes.count(std::string(kSettingsFile)), 0u);
  EXPECT_EQ(files.writes.at(std::string(kUserFile)), 4);
}

TEST_F(SettingsLocationTest, NextStartReadsTheUserFileAtOnce) {
  Lay(kSettingsFile, "[Tavrin Save]\r\nAscii=~~\r\nUseBitRate=1\r\n");
  fs::create_directories(Host(kUserFile).parent_path());
  Lay(kUserFile, "[Tavrin Save]\r\nAscii=^^\r\n");
  GuardedSystemFolder files(root_.Path());
  SettingsLocation place(files, kAppData);
  EXPECT_EQ(place.ReadingFrom(), kUserFile);

  SaveFRM holder;
  LoadSettings(place, holder);
  EXPECT_EQ(holder.Ascii, "^^");
  EXPECT_EQ(holder.BitRateCB, kUnchecked) << "the fixed file is not merged in";

  WriteSetting(place, kSettingsSection, "UseSongName", "1", kSettingsFile);
  EXPECT_EQ(Contents(kUserFile),
            "[Tavrin Save]\r\nAscii=^^\r\nUseSongName=1\r\n");
}

TEST_F(SettingsLocationTest, FolderStandingAtTheFixedPlaceMovesTheSettings) {
  fs::create_directories(Host(kSettingsFile));
  IniProfileFile files(root_.Path());
  SettingsLocation place(files, kAppData);
  ASSERT_TRUE(place.Moved());

  SaveFRM holder;
  LoadSettings(place, holder);
  EXPECT_EQ(holder.Ascii, "");
  EXPECT_FALSE(UserFolderExists());

  WriteSetting(place, kSettingsSection, "Ascii", "~~", kSettingsFile);
  WriteSetting(place, kSettingsSection, "UseWAStatus", "1", kSettingsFile);
  EXPECT_EQ(Contents(kUserFile),
            "[Tavrin Save]\r\nAscii=~~\r\nUseWAStatus=1\r\n");
  LoadSettings(place, holder);
  EXPECT_EQ(holder.Ascii, "~~");
  EXPECT_EQ(holder.WAStatusCB, kChecked);
  EXPECT_TRUE(fs::is_empty(Host(kSettingsFile)));
  EXPECT_EQ(AllFiles(), std::vector<std::string>{
                            "drive_c/users/tester/AppData/Roaming/Tavrin/"
                            "TavrinSettings.ini"});
}

TEST_F(SettingsLocationTest, NoAppDataFolderKnownKeepsTheFixedPlace) {
  Lay(kSettingsFile, "[Tavrin Save]\r\nAscii=~~\r\n");
  GuardedSystemFolder files(root_.Path());
  SettingsLocation place(files, "");
  EXPECT_FALSE(place.Moved());
  EXPECT_EQ(ReadSetting(place, kSettingsSection, "Ascii", kSettingsFile), "~~");
  WriteSetting(place, kSettingsSection, "Ascii", "^^", kSettingsFile);
  EXPECT_EQ(files.writes.at(std::string(kSettingsFile)), 1)
      << "the write goes to the fixed place, come what may";
  EXPECT_EQ(AllFiles(), std::vector<std::string>{
                            "drive_c/windows/system32/TavrinSettings.ini"});
}

TEST_F(SettingsLocationTest,
       UserFolderThatCannotBeMadeFailsTheWriteAndTriesAgain) {
  Lay(kSettingsFile, "[Tavrin Save]\r\nAscii=~~\r\n");
  const fs::path blocker = Host(kUserFile).parent_path();
  fs::create_directories(blocker.parent_path());
  std::ofstream(blocker) << "a file where the folder would go";
  GuardedSystemFolder files(root_.Path());
  SettingsLocation place(files, kAppData);

  EXPECT_FALSE(
      place.Write(kSettingsSection, "UseSongName", "1", kSettingsFile));
  EXPECT_EQ(place.ReadingFrom(), kSettingsFile);
  EXPECT_EQ(ReadSetting(place, kSettingsSection, "Ascii", kSettingsFile), "~~");

  fs::remove(blocker);
  EXPECT_TRUE(place.Write(kSettingsSection, "UseSongName", "1", kSettingsFile));
  EXPECT_EQ(Contents(kUserFile),
            "[Tavrin Save]\r\nAscii=~~\r\nUseSongName=1\r\n");
}

TEST_F(SettingsLocationTest, FixedPathIsKnownInAnyLetterCaseAndOtherFilesPass) {
  GuardedSystemFolder files(root_.Path());
  SettingsLocation place(files, kAppData);
  WriteSetting(place, kSettingsSection, "Ascii", "~~",
               R"(c:\WINDOWS\System32\tavrinsettings.INI)");
  EXPECT_EQ(ReadSetting(place, kSettingsSection, "Ascii", kUserFile), "~~");

  const std::string other = R"(C:\windows\system32\Other.ini)";
  EXPECT_TRUE(place.Write(kSettingsSection, "Ascii", "##", other));
  EXPECT_EQ(Contents(other), "[Tavrin Save]\r\nAscii=##\r\n");
  EXPECT_EQ(ReadSetting(place, kSettingsSection, "Ascii", kSettingsFile), "~~");
}

}  // namespace
}  // namespace tavrin::settings
