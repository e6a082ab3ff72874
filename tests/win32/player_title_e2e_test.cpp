// tavrin.exe advertising by itself, end to end, while the stand-in player
// is slow to answer or scrolls its title: neither is a change of song.

#include <gtest/gtest.h>

#include <string>

#include "e2e_support.h"
#include "shell_driving.h"

namespace tavrin::e2e {
namespace {

constexpr char kNextSongLine[] =
    "DemoUser:\t~~ Playing Song: Night Drive - Neon Harbour BitRate: 192 - "
    "Length: 00:05:01\r\n";

class PlayerTitle : public ::testing::Test {
 protected:
  void SetUp() override {
    StoreSettings({{"Ascii", "~~"}, {"UseWAStatus", "1"}, {"UseSongName", "1"},
                   {"UseBitRate", "1"}, {"UseElapRem", "0"}, {"UseSongLen", "1"},
                   {"AutoAdv", "1"}, {"AutoLoadWA", "0"}, {"WinampDIR", ""}});
    chat_ = Process::Start(ProgramFolder() + L"\\standin-chat.exe", L"");
    player_ = Process::Start(ProgramFolder() + L"\\standin-player.exe", L"");
    ASSERT_NE(WaitForChatClient(), nullptr);
    playerWindow_ = WaitForTopLevel("Winamp v1.x");
    ASSERT_NE(playerWindow_, nullptr);
    program_ = Process::Start(ProgramFolder() + L"\\tavrin.exe", L"");
    ASSERT_NE(PassTheSplash(), nullptr);
    ASSERT_TRUE(WaitUntil(
        [&] { return Transcript().ends_with("Successfully loaded.\r\n"); }, 15s))
        << Transcript();
    // Started with the switch on: the song playing is not announced.
    quiet_ = Transcript();
    ASSERT_TRUE(StaysQuiet(1s)) << Transcript();
  }

  std::string Transcript() { return WindowText(RoomTranscript(1)); }

  bool StaysQuiet(std::chrono::milliseconds period) {
    return HoldsFor([&] { return Transcript() == quiet_; }, period);
  }

  // The song changes at the player: exactly the one line comes, and no
  // other after it.
  void NextSongIsPostedOnce() {
    ASSERT_TRUE(Drive(playerWindow_, "next"));
    ASSERT_TRUE(WaitUntil([&] { return Transcript().size() > quiet_.size(); }, 15s));
    quiet_ += kNextSongLine;
    EXPECT_TRUE(StaysQuiet(1s)) << Transcript();
  }

  Process chat_, player_, program_;
  HWND playerWindow_ = nullptr;
  std::string quiet_;  // the transcript as it must stay
};

// The player stops answering for longer than a send waits: the title read
// times out and the player is given up for a while, yet its song is the
// same when it answers again.
TEST_F(PlayerTitle, APlayerBusyForAMomentIsNoChangeOfSong) {
  ASSERT_TRUE(Drive(playerWindow_, "hang 400"));
  EXPECT_TRUE(StaysQuiet(4s)) << Transcript();
  NextSongIsPostedOnce();
}

TEST_F(PlayerTitle, AScrollingTitleIsOneSong) {
  ASSERT_TRUE(Drive(playerWindow_, "scroll 150"));
  const std::string first = WindowText(playerWindow_);
  ASSERT_NE(first.find(" *** "), std::string::npos) << first;
  ASSERT_TRUE(WaitUntil([&] { return WindowText(playerWindow_) != first; }, 5s))
      << "the title scrolls";
  EXPECT_TRUE(StaysQuiet(10s)) << Transcript();
  NextSongIsPostedOnce();
}

}  // namespace
}  // namespace tavrin::e2e
