// Text and hung peers end to end: the program's own code with the Windows
// adapters against the stand-in programs, which are Unicode windows.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "chat/chat_room.h"
#include "chat/chat_sender.h"
#include "e2e_support.h"
#include "platform/hung_peer_guard.h"
#include "player/winamp_api.h"
#include "win32/win32_clock.h"
#include "win32/win32_foreign_windows.h"
#include "win32/win32_profile_file.h"
#include "win32/win32_timers.h"
#include "win32/win32_text.h"

namespace tavrin::e2e {
namespace {

// Titles in several scripts, as a player shows them.
constexpr char kJapanese[] = "坂本龍一 - Ｅｎｅｒｇｙ Ｆｌｏｗ";
constexpr char kCyrillic[] = "Кино - Группа крови";
constexpr char kAccented[] = "Céline Dion - Pour que tu m'aimes encore";

class PeerText : public ::testing::Test {
 protected:
  void SetUp() override {
    chat_ = Process::Start(ProgramFolder() + L"\\standin-chat.exe", L"");
    ASSERT_NE(chat = WaitForChatClient(), nullptr);
  }

  static std::string Line(const std::string& text) {
    return "DemoUser:\t" + text + "\r\n";
  }
  static HWND EntryBox() {
    return FindWindowExW(GetParent(RoomTranscript(1)), nullptr, L"RICHCNTL",
                         nullptr);
  }
  static void PumpWaitingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&message);
    }
  }
  bool TranscriptBecomes(const std::string& expected) {
    return WaitUntil([&] { return WindowText(RoomTranscript(1)) == expected; },
                     10s);
  }

  Process chat_, player_;
  HWND chat = nullptr;
  win32::Win32Clock clock_;
  win32::Win32ForeignWindows windows_{clock_};
};

TEST_F(PeerText, PlayerTitlesInAnyScriptReachTheRoomWhole) {
  player_ = Process::Start(ProgramFolder() + L"\\standin-player.exe",
                           L"--no-autoplay");
  const HWND player = WaitForTopLevel("Winamp v1.x");
  ASSERT_NE(player, nullptr);
  ASSERT_TRUE(Drive(player, "clear"));
  std::string expected;
  for (const std::string title : {kJapanese, kCyrillic, kAccented}) {
    ASSERT_TRUE(Drive(player, "add 200 128 " + title));
  }
  for (const std::string title : {kJapanese, kCyrillic, kAccented}) {
    ASSERT_TRUE(WaitUntil([&] { return player::GetSongName(windows_) == title; }, 10s))
        << player::GetSongName(windows_);
    chat::ChatSend(windows_, player::GetSongName(windows_));
    expected += Line(title);
    ASSERT_TRUE(Drive(player, "next"));
  }
  EXPECT_TRUE(TranscriptBecomes(expected)) << WindowText(RoomTranscript(1));
}

TEST_F(PeerText, LineLeftInTheBoxBySlowClientGoesOutWhenItAnswersAgain) {
  win32::Win32Timers timers;
  chat::ChatSender sender(windows_, timers);
  ASSERT_TRUE(Drive(chat, "slow 1500"));
  const auto start = std::chrono::steady_clock::now();
  sender.Send("~~ Playing Song: Artist - Title");
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(took, platform::HungPeerGuard::kSendTimeout + 250ms)
      << "one bounded wait";
  // The watch ticks through this thread's message loop, as in the program.
  const bool sent = WaitUntil(
      [&] {
        PumpWaitingMessages();
        return WindowText(RoomTranscript(1)) ==
               Line("~~ Playing Song: Artist - Title");
      },
      10s);
  EXPECT_TRUE(sent) << WindowText(RoomTranscript(1));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(EntryBox()).empty(); }, 10s))
      << "nothing is left in the entry box: " << WindowText(EntryBox());
}

TEST_F(PeerText, HungClientNeverGetsAnEnterWithoutTheText) {
  win32::Win32Timers timers;
  chat::ChatSender sender(windows_, timers);
  ASSERT_EQ(windows_.SetText(reinterpret_cast<platform::WindowHandle>(EntryBox()),
                             "half-typed words"),
            platform::Delivery::kAnswered);
  ASSERT_TRUE(Drive(chat, "hang 1500"));
  sender.Send("~~ Playing Song: Artist - Title");
  // Seen out once the client answers again, past the back-off.
  ASSERT_TRUE(WaitUntil(
      [&] {
        PumpWaitingMessages();
        return !sender.Watching();
      },
      15s));
  EXPECT_EQ(WindowText(EntryBox()), "half-typed words");
  EXPECT_EQ(WindowText(RoomTranscript(1)), "");
}

// The settings file is written in the code page: what it cannot hold
// becomes "?", never a look-alike letter or a path separator.
TEST(ProfileText, CharactersTheCodePageLacksBecomeQuestionMarks) {
  const std::wstring folder = NewTemporaryFolder();
  const std::string file = win32::Utf8FromWide(folder) + "\\text.ini";
  win32::Win32ProfileFile profile;
  ASSERT_TRUE(profile.Write("Tavrin Save", "Ascii", "Ｅｎｅｒｇｙ＼é", file));
  const std::string stored = profile.Read("Tavrin Save", "Ascii", file);
  EXPECT_EQ(stored.find("Energy"), std::string::npos) << stored;
  EXPECT_EQ(stored.find('\\'), std::string::npos) << stored;
  if (GetACP() == 1252) {
    EXPECT_EQ(stored, "???????é");
  }
}

}  // namespace
}  // namespace tavrin::e2e
