#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "settings/ini_profile_file.h"
#include "settings/settings_store.h"
#include "temp_root.h"

namespace tavrin::settings {
namespace {

namespace fs = std::filesystem;

TEST(ParseCheckValue, AcceptsTheThreeStatesAsDecimalText) {
  EXPECT_EQ(ParseCheckValue("0"), 0);
  EXPECT_EQ(ParseCheckValue("1"), 1);
  EXPECT_EQ(ParseCheckValue("2"), 2);
  EXPECT_EQ(ParseCheckValue("  1  "), 1);
  EXPECT_EQ(ParseCheckValue("+1"), 1);
  EXPECT_EQ(ParseCheckValue("-0"), 0);
  EXPECT_EQ(ParseCheckValue("01"), 1);
  EXPECT_EQ(ParseCheckValue("1e0"), 1);
}

TEST(ParseCheckValue, RoundsFractionsHalfToEven) {
  EXPECT_EQ(ParseCheckValue("0.5"), 0);
  EXPECT_EQ(ParseCheckValue("1.5"), 2);
  EXPECT_EQ(ParseCheckValue("2.5"), 2);
  EXPECT_EQ(ParseCheckValue("0.51"), 1);
  EXPECT_EQ(ParseCheckValue(".9"), 1);
}

TEST(ParseCheckValue, RejectsTextThatIsNoStateOrNoNumber) {
  for (const char* text : {"", " ", "yes", "7", "-1", "3", "2.6", "99999",
                           "1x", "x1", "0x1", "inf", "nan", "1e", ".", "1 1"}) {
    EXPECT_EQ(ParseCheckValue(text), std::nullopt) << '"' << text << '"';
  }
}

class LoadSettingsTest : public ::testing::Test {
 protected:

  void LayFile(std::string_view lines) {
    std::ofstream(profile_.HostPath(kSettingsFile), std::ios::binary) << lines;
  }
  SaveFRM Load() {
    SaveFRM holder;
    LoadSettings(profile_, holder);
    return holder;
  }

  testing::TempRoot root_;
  IniProfileFile profile_{root_.Path()};
};

TEST_F(LoadSettingsTest, NoFileGivesEmptyTextsAndEverythingOffAndWritesNothing) {
  const SaveFRM holder = Load();
  EXPECT_EQ(holder.Ascii, "");
  EXPECT_EQ(holder.Dir, "");
  for (const CheckValue box :
       {holder.AutoStartWA, holder.AutoAdv, holder.AsciiCB, holder.SongNameCB,
        holder.BitRateCB, holder.ElapRemCB, holder.SongLenCB,
        holder.WAStatusCB}) {
    EXPECT_EQ(box, kUnchecked);
  }
  EXPECT_FALSE(fs::exists(profile_.HostPath(kSettingsFile)));
}

TEST_F(LoadSettingsTest, EveryKeyLandsInItsOwnField) {
  LayFile(
      "[Tavrin Save]\r\nAscii=~~\r\nWinampDIR=C:\\Program Files\\P\\p.exe\r\n"
      "AutoLoadWA=1\r\nAutoAdv=1\r\nUseAscii=1\r\nUseSongName=1\r\n"
      "UseBitRate=1\r\nUseElapRem=1\r\nUseSongLen=1\r\nUseWAStatus=1\r\n");
  const SaveFRM holder = Load();
  EXPECT_EQ(holder.Ascii, "~~");
  EXPECT_EQ(holder.Dir, "C:\\Program Files\\P\\p.exe");
  EXPECT_EQ(holder.AutoStartWA, kChecked);
  EXPECT_EQ(holder.AutoAdv, kChecked);
  EXPECT_EQ(holder.AsciiCB, kChecked);
  EXPECT_EQ(holder.SongNameCB, kChecked);
  EXPECT_EQ(holder.BitRateCB, kChecked);
  EXPECT_EQ(holder.ElapRemCB, kChecked);
  EXPECT_EQ(holder.SongLenCB, kChecked);
  EXPECT_EQ(holder.WAStatusCB, kChecked);
}

TEST_F(LoadSettingsTest, OnlyTheStoredToggleIsChecked) {
  LayFile("[Tavrin Save]\r\nUseSongName=1\r\n");
  const SaveFRM holder = Load();
  EXPECT_EQ(holder.SongNameCB, kChecked);
  EXPECT_EQ(holder.BitRateCB, kUnchecked);
  EXPECT_EQ(holder.WAStatusCB, kUnchecked);
  EXPECT_EQ(holder.AutoAdv, kUnchecked);
}

TEST_F(LoadSettingsTest, StoredTwoLoadsGrayedWhichIsOff) {
  LayFile("[Tavrin Save]\r\nAutoAdv=2\r\n");
  const SaveFRM holder = Load();
  EXPECT_EQ(holder.AutoAdv, kGrayed);
  EXPECT_FALSE(IsOn(holder.AutoAdv));
}

TEST_F(LoadSettingsTest, MalformedValueKeepsTheBoxAndLaterKeysStillLoad) {
  LayFile("[Tavrin Save]\r\nUseBitRate=yes\r\nUseElapRem=7\r\n"
          "UseSongLen=1\r\nUseWAStatus= 1 \r\n");
  SaveFRM holder;
  holder.ElapRemCB = kChecked;  // an unusable value leaves the state alone
  LoadSettings(profile_, holder);
  EXPECT_EQ(holder.BitRateCB, kUnchecked);
  EXPECT_EQ(holder.ElapRemCB, kChecked);
  EXPECT_EQ(holder.SongLenCB, kChecked);
  EXPECT_EQ(holder.WAStatusCB, kChecked);
}

TEST_F(LoadSettingsTest, KeysAndSectionStoredInOtherLetterCaseAreFound) {
  LayFile("[TAVRIN SAVE]\r\nuseSONGname=1\r\nASCII=<3\r\n");
  const SaveFRM holder = Load();
  EXPECT_EQ(holder.SongNameCB, kChecked);
  EXPECT_EQ(holder.Ascii, "<3");
}

TEST_F(LoadSettingsTest, LongValuesWrittenByTheProgramComeBackWhole) {
  const std::string decoration(300, '*');
  const std::string path = "C:\\" + std::string(280, 'd') + "\\player.exe";
  WriteSetting(profile_, kSettingsSection, "Ascii", decoration, kSettingsFile);
  WriteSetting(profile_, kSettingsSection, "WinampDIR", path, kSettingsFile);
  const SaveFRM holder = Load();
  EXPECT_EQ(holder.Ascii, decoration);
  EXPECT_EQ(holder.Dir, path);
  EXPECT_EQ(ReadSetting(profile_, kSettingsSection, "winampdir", kSettingsFile),
            path);
}

TEST(SettingsFile, LivesAtTheFixedWindowsPathInsideTheHostRoot) {
  IniProfileFile profile("/root-of-drives");
  EXPECT_EQ(profile.HostPath(kSettingsFile),
            fs::path("/root-of-drives/drive_c/windows/system32/TavrinSettings.ini"));
}

}  // namespace
}  // namespace tavrin::settings
