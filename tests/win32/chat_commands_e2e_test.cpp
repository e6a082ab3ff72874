// tavrin.exe answering the room, end to end: lines typed in the stand-in
// chat client's room by the signed-on user, and by others, and the song
// changing at the stand-in player.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e_support.h"
#include "shell_driving.h"

namespace tavrin::e2e {
namespace {

constexpr char kReport[] =
    "DemoUser:\t~~ Playing Song: Artist - Title BitRate: 128 - Length: 00:03:57\r\n";

class ChatControl : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = NewTemporaryFolder();
    playerLog_ = folder_ + L"\\player.log";
    StoreSettings({{"Ascii", "~~"}, {"UseWAStatus", "1"}, {"UseSongName", "1"},
                   {"UseBitRate", "1"}, {"UseElapRem", "0"}, {"UseSongLen", "1"},
                   {"AutoAdv", autoAdvertise_}, {"AutoLoadWA", "0"},
                   {"WinampDIR", ""}});
    const std::wstring reports = peersReport_ ? L"" : L" --no-reports";
    chat_ = Process::Start(ProgramFolder() + L"\\standin-chat.exe",
                           chatArguments_ + reports);
    player_ = Process::Start(ProgramFolder() + L"\\standin-player.exe",
                             L"--log \"" + playerLog_ + L"\"" + reports);
    chatWindow_ = WaitForChatClient();
    ASSERT_NE(chatWindow_, nullptr);
    playerWindow_ = WaitForTopLevel("Winamp v1.x");
    ASSERT_NE(playerWindow_, nullptr);
    program_ = Process::Start(ProgramFolder() + L"\\tavrin.exe", L"");
    main_ = PassTheSplash();
    ASSERT_NE(main_, nullptr);
    // The scan has started once the start-up line is there: what is typed
    // from now on is heard.
    ASSERT_TRUE(RoomGets(
        "DemoUser:\t~~ Tavrin By: Dunmarrow (Kestle) Successfully loaded.\r\n"));
  }

  std::string Transcript() { return WindowText(RoomTranscript(1)); }

  // Waits until the room's transcript, after what it held at `from`,
  // holds the text.
  bool RoomGets(const std::string& text, std::size_t from = 0) {
    return WaitUntil(
        [&] {
          const std::string now = Transcript();
          return now.size() > from && now.find(text, from) != std::string::npos;
        },
        15s);
  }

  // Someone types the line in the room; the transcript's length before it.
  std::size_t Type(const std::string& text, const std::string& speaker = "DemoUser") {
    const std::size_t before = Transcript().size();
    EXPECT_TRUE(Drive(chatWindow_, "say 1 " + speaker + " " + text));
    return before;
  }

  // The owner types the command and the room gets the reply.
  bool Answered(const std::string& command, const std::string& reply) {
    const std::size_t before = Type(command);
    return RoomGets("DemoUser:\t" + command + "\r\n" + reply, before);
  }

  // The program's user-interface thread answers within the time.
  bool Responsive(std::chrono::milliseconds limit) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                               static_cast<UINT>(limit.count()), &result) != 0;
  }

  // How many times the text occurs in the transcript.
  std::size_t Count(const std::string& text) {
    const std::string now = Transcript();
    std::size_t count = 0;
    for (std::size_t at = now.find(text); at != std::string::npos;
         at = now.find(text, at + text.size())) {
      ++count;
    }
    return count;
  }

  const char* autoAdvertise_ = "0";
  std::wstring chatArguments_;
  // Whether the peers report their texts' changes, as programs on Windows
  // do; without, the program finds every change by polling.
  bool peersReport_ = true;
  std::wstring folder_, playerLog_;
  Process chat_, player_, program_;
  HWND chatWindow_ = nullptr;
  HWND playerWindow_ = nullptr;
  HWND main_ = nullptr;
};

TEST_F(ChatControl, OwnersCommandsAreAnsweredInTheRoom) {
  EXPECT_TRUE(Answered(".adv", kReport)) << Transcript();
  EXPECT_TRUE(Answered(".SONG", "DemoUser:\t~~ Song Name: Artist - Title\r\n"))
      << Transcript();
  EXPECT_TRUE(Answered(".br", "DemoUser:\t~~ BitRate: 128\r\n")) << Transcript();
  // Built right after the command was posted to the player, which takes
  // it in its own time: the reply is a report, of the song before or after.
  const std::size_t before = Type(".next");
  EXPECT_TRUE(WaitUntil(
      [&] {
        return Transcript().find("DemoUser:\t.next\r\nDemoUser:\t~~ Playing Song: ",
                                 before) != std::string::npos;
      },
      15s))
      << Transcript();
  EXPECT_TRUE(WaitUntil(
      [&] { return LoggedPlayerCommands(playerLog_) == std::vector<int>{40048}; },
      10s));
  EXPECT_TRUE(Answered(".song",
                       "DemoUser:\t~~ Song Name: Night Drive - Neon Harbour\r\n"))
      << Transcript();
}

TEST_F(ChatControl, MiniAndResMoveTheWindowIntoTheTrayAndBack) {
  Type(".mini");
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main_); }, 10s));
  EXPECT_TRUE(WaitUntil([&] { return TrayShowsTheIcon(main_); }, 10s));
  Type(".res");
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }, 10s));
  EXPECT_TRUE(WaitUntil([&] { return !TrayShowsTheIcon(main_); }, 10s));
}

// With the tray stopped the program, once it has said goodbye, waits on
// its request to the tray and cannot end. Stopped in turn, it keeps its
// window while the tray answers that request and then the test's probe.
TEST_F(ChatControl, ExitSaysGoodbyeRemovesTheIconAndEndsTheProcess) {
  Type(".mini");
  ASSERT_TRUE(WaitUntil([&] { return TrayShowsTheIcon(main_); }, 10s));
  StoppedTray tray;
  ASSERT_TRUE(tray.Stopped());
  const std::size_t before = Type(".exit");
  ASSERT_TRUE(RoomGets(
      "DemoUser:\t.exit\r\n"
      "DemoUser:\t~~ Tavrin By: Dunmarrow (Kestle) Session Ended.\r\n",
      before))
      << Transcript();
  EXPECT_EQ(IconGoneBeforeTheEnd(program_, main_, tray), "");
}

TEST_F(ChatControl, OthersCannotDriveTheProgram) {
  for (const char* speaker : {"Bob", "demouser", "DEMOUSER"}) {
    for (const char* command : {".adv", ".next", ".mini", ".exit"}) {
      Type(command, speaker);
    }
  }
  // A last line of the owner's: once it is answered, everything before it
  // was heard and passed over.
  ASSERT_TRUE(Answered(".song", "DemoUser:\t~~ Song Name: Artist - Title\r\n"))
      << Transcript();
  // The player takes a posted command in its own time: watched a while.
  EXPECT_TRUE(HoldsFor(
      [&] {
        return Transcript().find("Playing Song:") == std::string::npos &&
               program_.Running() && IsWindowVisible(main_) &&
               LoggedPlayerCommands(playerLog_).empty();
      },
      1s))
      << Transcript();
}

// Every look at the room is bounded: a client that stops answering keeps
// the program responsive, and once it answers again the scan goes on.
TEST_F(ChatControl, HungClientCostsBoundedWaitsAndTheScanResumes) {
  ASSERT_TRUE(Drive(chatWindow_, "hang 3000"));
  const auto hungUntil = std::chrono::steady_clock::now() + 2500ms;
  while (std::chrono::steady_clock::now() < hungUntil) {
    EXPECT_TRUE(Responsive(400ms)) << "the program's thread was held";
    Sleep(50);
  }
  EXPECT_TRUE(Answered(".song", "DemoUser:\t~~ Song Name: Artist - Title\r\n"))
      << Transcript();
}

// Like real clients, this one keeps only its last lines: the room stays
// followed once its oldest lines go.
class CappedRoom : public ChatControl,
                   public ::testing::WithParamInterface<bool> {
 protected:
  CappedRoom() {
    chatArguments_ = L"--cap 5";
    peersReport_ = GetParam();
  }
};

TEST_P(CappedRoom, CommandsAreAnsweredOnceTheOldestLinesGo) {
  const struct {
    const char* command;
    const char* reply;
  } exchanges[] = {
      {".song", "DemoUser:\t~~ Song Name: Artist - Title\r\n"},
      {".br", "DemoUser:\t~~ BitRate: 128\r\n"},
      {".len", "DemoUser:\t~~ Track Length: 00:03:57\r\n"},
  };
  for (int round = 0; round < 3; ++round) {
    for (const auto& exchange : exchanges) {
      SCOPED_TRACE(std::string(exchange.command) + " round " +
                   std::to_string(round));
      // Offsets move as lines go: the reply is looked for at the end.
      Type(exchange.command);
      ASSERT_TRUE(WaitUntil(
          [&] {
            return Transcript().ends_with(
                std::string("DemoUser:\t") + exchange.command + "\r\n" +
                exchange.reply);
          },
          15s))
          << Transcript();
    }
  }
  const std::string transcript = Transcript();
  EXPECT_EQ(std::count(transcript.begin(), transcript.end(), '\n'), 5);
}

INSTANTIATE_TEST_SUITE_P(Peers, CappedRoom, ::testing::Bool(),
                         [](const auto& info) {
                           return info.param ? "Reporting" : "Silent";
                         });

class AutoAdvertise : public ChatControl {
 protected:
  AutoAdvertise() { autoAdvertise_ = "1"; }
  void ChangeOfSongPostsOneLine();
};

class AutoAdvertiseSilentPeers : public AutoAdvertise {
 protected:
  AutoAdvertiseSilentPeers() { peersReport_ = false; }
};

TEST_F(AutoAdvertise, ChangeOfSongPostsOneLine) { ChangeOfSongPostsOneLine(); }
TEST_F(AutoAdvertiseSilentPeers, ChangeOfSongPostsOneLine) {
  ChangeOfSongPostsOneLine();
}

void AutoAdvertise::ChangeOfSongPostsOneLine() {
  // Started with the switch on: the song playing is not announced.
  const std::size_t before = Transcript().size();
  ASSERT_TRUE(HoldsFor([&] { return Transcript().size() == before; }, 1s));
  ASSERT_TRUE(Drive(playerWindow_, "next"));
  const std::string line =
      "DemoUser:\t~~ Playing Song: Night Drive - Neon Harbour BitRate: 192 - "
      "Length: 00:05:01\r\n";
  ASSERT_TRUE(RoomGets(line, before)) << Transcript();
  EXPECT_TRUE(HoldsFor([&] { return Transcript().size() == before + line.size(); },
                       1s))
      << "once: " << Transcript();
}

// The client is slow over the reply's text: the program gives it up for a
// while, and the song's line that falls due meanwhile waits and goes out
// once the client answers, once.
TEST_F(AutoAdvertise, LineDueWhileTheClientStallsGoesOutOnce) {
  const std::string song =
      "DemoUser:\t~~ Playing Song: Night Drive - Neon Harbour BitRate: 192 - "
      "Length: 00:05:01\r\n";
  // Of the song before or after, as the player takes "next" in its time.
  const std::string reply = "DemoUser:\t~~ Song Name: ";
  ASSERT_TRUE(Drive(chatWindow_, "slow 400"));
  Type(".song");
  ASSERT_TRUE(Drive(playerWindow_, "next"));
  EXPECT_TRUE(WaitUntil([&] { return Count(song) == 1 && Count(reply) == 1; },
                        15s))
      << Transcript();
  EXPECT_TRUE(HoldsFor([&] { return Count(song) == 1 && Count(reply) == 1; }, 1s))
      << Transcript();
}

}  // namespace
}  // namespace tavrin::e2e
