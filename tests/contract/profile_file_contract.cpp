#include "profile_file_contract.h"

#include <string>

#include "settings/settings_store.h"

namespace tavrin::contract {
namespace {

constexpr std::string_view kSection = "Tavrin Save";

std::string FolderOf(const std::string& path) {
  return path.substr(0, path.find_last_of('\\'));
}

TEST_F(ProfileFileContract, MissingFileSectionOrKeyReadsEmpty) {
  EXPECT_EQ(Read(kSection, "Ascii"), "");
  EXPECT_EQ(fixture_->Contents(file_), "") << "a read must not create the file";
  ASSERT_TRUE(Write(kSection, "Ascii", "~~"));
  EXPECT_EQ(Read(kSection, "WinampDIR"), "");
  EXPECT_EQ(Read("Other Section", "Ascii"), "");
}

TEST_F(ProfileFileContract, FirstWriteCreatesFileAndSectionWithCrLfLines) {
  ASSERT_TRUE(Write(kSection, "UseSongName", "1"));
  EXPECT_EQ(Read(kSection, "UseSongName"), "1");
  const std::string bytes = fixture_->Contents(file_);
  EXPECT_NE(bytes.find("[Tavrin Save]\r\n"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("UseSongName=1\r\n"), std::string::npos) << bytes;
}

TEST_F(ProfileFileContract, SectionAndKeyIgnoreLetterCase) {
  fixture_->Lay(file_, "[tavrin save]\r\nUSESONGNAME=1\r\n");
  EXPECT_EQ(Read(kSection, "UseSongName"), "1");
  ASSERT_TRUE(Write("TAVRIN SAVE", "usesongname", "0"));
  EXPECT_EQ(Read(kSection, "UseSongName"), "0");
  const std::string bytes = fixture_->Contents(file_);
  EXPECT_EQ(bytes.find("[Tavrin Save]"), std::string::npos)
      << "no second section may appear: " << bytes;
}

TEST_F(ProfileFileContract, WriteReplacesValueInPlaceAndKeepsOtherKeys) {
  ASSERT_TRUE(Write(kSection, "Ascii", "first"));
  ASSERT_TRUE(Write(kSection, "AutoAdv", "1"));
  ASSERT_TRUE(Write(kSection, "Ascii", "second"));
  EXPECT_EQ(Read(kSection, "Ascii"), "second");
  EXPECT_EQ(Read(kSection, "AutoAdv"), "1");
  const std::string bytes = fixture_->Contents(file_);
  const auto ascii = bytes.find("Ascii=second");
  ASSERT_NE(ascii, std::string::npos) << bytes;
  EXPECT_LT(ascii, bytes.find("AutoAdv=1")) << "replaced where it stood";
  EXPECT_EQ(bytes.find("first"), std::string::npos) << bytes;
}

TEST_F(ProfileFileContract, ValuesAreTrimmedAndLoseEnclosingQuotes) {
  fixture_->Lay(file_,
                "[Tavrin Save]\r\nUseWAStatus =  1  \r\n"
                "Ascii=\"  spaced  \"\r\nWinampDIR='C:\\x y\\p.exe'\r\n");
  EXPECT_EQ(Read(kSection, "UseWAStatus"), "1");
  EXPECT_EQ(Read(kSection, "Ascii"), "  spaced  ");
  EXPECT_EQ(Read(kSection, "WinampDIR"), "C:\\x y\\p.exe");
  ASSERT_TRUE(Write(kSection, "UseBitRate", "  7  "));
  EXPECT_EQ(Read(kSection, "UseBitRate"), "7");
}

// Written through the settings store, a value comes back as it was
// written, whatever stands at its ends.
TEST_F(ProfileFileContract, StoredSettingsReadBackExactly) {
  for (const std::string value :
       {" ~~", "~~ ", "  ", "\t~\t", "\"~~\"", "'~~'", "\"", "\"\"", "\"~~",
        "~~'", "'~~\"", " \"~~\" ", "\v~\f", "~\x1a"}) {
    settings::WriteSetting(fixture_->Profile(), kSection, "Ascii", value,
                           file_);
    EXPECT_EQ(settings::ReadSetting(fixture_->Profile(), kSection, "Ascii",
                                    file_),
              value)
        << "[" << value << "]";
  }
}

// Older versions wrote every value as it was; a plain value still is.
TEST_F(ProfileFileContract, PlainSettingsAreWrittenAsTheyAre) {
  settings::WriteSetting(fixture_->Profile(), kSection, "Ascii", "~\"~'",
                         file_);
  settings::WriteSetting(fixture_->Profile(), kSection, "WinampDIR",
                         "C:\\a b\\p.exe", file_);
  const std::string bytes = fixture_->Contents(file_);
  EXPECT_NE(bytes.find("Ascii=~\"~'\r\n"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("WinampDIR=C:\\a b\\p.exe\r\n"), std::string::npos)
      << bytes;
}

TEST_F(ProfileFileContract, LongValuesComeBackWhole) {
  const std::string path = "C:\\" + std::string(290, 'p') + "\\player.exe";
  ASSERT_TRUE(Write(kSection, "WinampDIR", path));
  EXPECT_EQ(Read(kSection, "WinampDIR"), path);
  const std::string decoration(1000, '~');
  ASSERT_TRUE(Write(kSection, "Ascii", decoration));
  EXPECT_EQ(Read(kSection, "Ascii"), decoration);
}

TEST_F(ProfileFileContract, EmptyValueIsStoredAndReadsEmpty) {
  ASSERT_TRUE(Write(kSection, "Ascii", "~~"));
  ASSERT_TRUE(Write(kSection, "Ascii", ""));
  EXPECT_EQ(Read(kSection, "Ascii"), "");
}

TEST_F(ProfileFileContract, KeysOfOtherSectionsAreNotSeen) {
  fixture_->Lay(file_, "[Elsewhere]\r\nAscii=wrong\r\n[Tavrin Save]\r\n");
  EXPECT_EQ(Read(kSection, "Ascii"), "");
  ASSERT_TRUE(Write(kSection, "Ascii", "right"));
  EXPECT_EQ(Read(kSection, "Ascii"), "right");
  EXPECT_EQ(Read("Elsewhere", "Ascii"), "wrong");
}

TEST_F(ProfileFileContract, WriteIntoMissingFolderFails) {
  const std::string path = fixture_->PathInMissingFolder();
  EXPECT_FALSE(fixture_->Profile().Write(kSection, "Ascii", "~~", path));
  EXPECT_EQ(fixture_->Profile().Read(kSection, "Ascii", path), "");
}

TEST_F(ProfileFileContract, ExistsOnlyForAFile) {
  auto& profile = fixture_->Profile();
  EXPECT_FALSE(profile.Exists(file_));
  ASSERT_TRUE(Write(kSection, "Ascii", "~~"));
  EXPECT_TRUE(profile.Exists(file_));
  const std::string folder = fixture_->NewFilePath();
  fixture_->MakeFolderAt(folder);
  EXPECT_FALSE(profile.Exists(folder));
  EXPECT_FALSE(profile.Exists(fixture_->PathInMissingFolder()));
}

TEST_F(ProfileFileContract, CanWriteAMissingFileLeavingNothingBehind) {
  ASSERT_TRUE(fixture_->Profile().Write(kSection, "Ascii", "~~",
                                        fixture_->NewFilePath()));
  const auto before = fixture_->NamesBeside(file_);
  EXPECT_TRUE(fixture_->Profile().CanWrite(file_));
  EXPECT_EQ(fixture_->NamesBeside(file_), before);
  EXPECT_FALSE(fixture_->Profile().Exists(file_));
}

TEST_F(ProfileFileContract, CanWriteAnExistingFileChangingNothing) {
  const std::string bytes = "[Tavrin Save]\r\nAscii=~~\r\n";
  fixture_->Lay(file_, bytes);
  const auto before = fixture_->NamesBeside(file_);
  EXPECT_TRUE(fixture_->Profile().CanWrite(file_));
  EXPECT_EQ(fixture_->Contents(file_), bytes);
  EXPECT_EQ(fixture_->NamesBeside(file_), before);
}

TEST_F(ProfileFileContract, FolderStandingAtThePathIsNoFileToWrite) {
  fixture_->MakeFolderAt(file_);
  const auto before = fixture_->NamesBeside(file_);
  EXPECT_FALSE(fixture_->Profile().CanWrite(file_));
  EXPECT_FALSE(Write(kSection, "Ascii", "~~"));
  EXPECT_EQ(Read(kSection, "Ascii"), "");
  EXPECT_EQ(fixture_->NamesBeside(file_), before)
      << "a failed write leaves nothing beside the folder";
}

TEST_F(ProfileFileContract, CannotWriteIntoMissingFolder) {
  EXPECT_FALSE(fixture_->Profile().CanWrite(fixture_->PathInMissingFolder()));
}

TEST_F(ProfileFileContract, CreateFolderOfMakesEveryMissingLevel) {
  auto& profile = fixture_->Profile();
  const std::string path = FolderOf(file_) + "\\made\\deeper\\settings.ini";
  EXPECT_FALSE(profile.CanWrite(path));
  ASSERT_TRUE(profile.CreateFolderOf(path));
  EXPECT_FALSE(profile.Exists(path)) << "only the folder is made";
  EXPECT_TRUE(profile.CanWrite(path));
  ASSERT_TRUE(profile.Write(kSection, "Ascii", "~~", path));
  EXPECT_EQ(profile.Read(kSection, "Ascii", path), "~~");
  EXPECT_TRUE(profile.CreateFolderOf(path)) << "a folder already there";
  EXPECT_EQ(profile.Read(kSection, "Ascii", path), "~~");
}

TEST_F(ProfileFileContract, CreateFolderOfFailsWhereAFileStands) {
  fixture_->Lay(file_, "x");
  EXPECT_FALSE(fixture_->Profile().CreateFolderOf(file_ + "\\settings.ini"));
  EXPECT_EQ(fixture_->Contents(file_), "x");
}

}  // namespace
}  // namespace tavrin::contract
