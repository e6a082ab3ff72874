// tavrin.exe serving an IRC channel through tavrin-chat.exe, end to end: a
// real IRC server on loopback, the client and the program under Wine, the
// stand-in player, and another person in the channel scripted by the test.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e_support.h"
#include "irc_peer.h"
#include "irc_scene.h"
#include "irc_server.h"
#include "shell_driving.h"
#include "win32/base/win32_text.h"

namespace tavrin::e2e {
namespace {

constexpr char kLoaded[] = "~~ Tavrin By: Dunmarrow (Kestle) Successfully loaded.";
constexpr char kSongName[] = "~~ Song Name: Artist - Title";
constexpr char kBitRate[] = "~~ BitRate: 128";

class OnIrc : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.Running());
    if (nickTaken_) {
      ASSERT_TRUE(squatter_.Join(server_.Port(), "ann"));
    }
    ASSERT_TRUE(bob_.Join(server_.Port(), "bob"));
    StoreRoomSettings(autoAdvertise_);
    folder_ = NewTemporaryFolder();
    player_ = Process::Start(ProgramFolder() + L"\\standin-player.exe",
                             L"--log \"" + folder_ + L"\\player.log\"");
    playerWindow_ = WaitForTopLevel("Winamp v1.x");
    ASSERT_NE(playerWindow_, nullptr);
    chat_ = Process::Start(ProgramFolder() + L"\\tavrin-chat.exe",
                           ChatArguments(server_.Port(), "ann"));
    ASSERT_TRUE(bob_.WaitForPerson(nick_)) << "the client never joined";
    ASSERT_TRUE(WaitUntil([] { return ChatRoom() != nullptr; }));
    program_ = Process::Start(ProgramFolder() + L"\\tavrin.exe", L"");
    ASSERT_NE(PassTheSplash(), nullptr);
    ASSERT_TRUE(bob_.WaitForText(kLoaded)) << Describe(bob_.HeardSoFar());
  }

  // Bob has heard these lines from the user, in this order, after what
  // was said before `from`.
  bool BobHears(const std::vector<std::string>& lines, std::size_t from,
                std::chrono::milliseconds limit = 30s) {
    return bob_.WaitUntil(
        [&](const std::vector<Heard>& heard) {
          const auto said = SaidBy(heard, nick_);
          return said.size() >= from + lines.size() &&
                 std::vector<std::string>(said.begin() + from,
                                          said.begin() + from + lines.size()) == lines;
        },
        limit);
  }
  std::size_t HeardFromUser() { return SaidBy(bob_.HeardSoFar(), nick_).size(); }

  const char* autoAdvertise_ = "0";
  bool nickTaken_ = false;
  std::string nick_ = "ann";
  IrcServer server_;
  IrcPeer squatter_, bob_;
  std::wstring folder_;
  Process player_, chat_, program_;
  HWND playerWindow_ = nullptr;
};

TEST_F(OnIrc, OwnersCommandsAreAnsweredInTheChannelAndOthersAreNot) {
  bob_.Say(".adv");
  bob_.Say(".exit");
  std::size_t from = HeardFromUser();
  ASSERT_TRUE(TypeInRoom(".song"));
  ASSERT_TRUE(BobHears({".song", kSongName}, from)) << Describe(bob_.HeardSoFar());
  from = HeardFromUser();
  ASSERT_TRUE(TypeInRoom(".adv"));
  ASSERT_TRUE(BobHears({".adv",
                        "~~ Playing Song: Artist - Title BitRate: 128 - Length: 00:03:57"},
                       from))
      << Describe(bob_.HeardSoFar());
  // Bob's commands were heard before the owner's, and passed over.
  bob_.Listen(1s);
  EXPECT_EQ(HeardFromUser(), from + 2) << Describe(bob_.HeardSoFar());
  EXPECT_TRUE(program_.Running());
}

TEST_F(OnIrc, ExitSaysGoodbyeInTheChannel) {
  const std::size_t from = HeardFromUser();
  ASSERT_TRUE(TypeInRoom(".exit"));
  EXPECT_TRUE(BobHears({".exit", "~~ Tavrin By: Dunmarrow (Kestle) Session Ended."}, from))
      << Describe(bob_.HeardSoFar());
  EXPECT_TRUE(program_.WaitForExit(15s));
}

// The client paces what it sends so that the server keeps it; every line
// of the user's and of the program's still arrives, once and in order (the
// program answers while the user goes on typing, so the two interleave).
TEST_F(OnIrc, BurstOfTheProgramsLinesArrivesWholeAndInOrder) {
  const std::size_t from = HeardFromUser();
  std::vector<std::string> commands, replies;
  for (int i = 0; i < 20; ++i) {
    commands.push_back(i % 2 == 0 ? ".song" : ".br");
    replies.push_back(i % 2 == 0 ? kSongName : kBitRate);
  }
  for (const std::string& command : commands) ASSERT_TRUE(TypeInRoom(command));
  const auto split = [&] {
    std::pair<std::vector<std::string>, std::vector<std::string>> lines;
    const auto said = SaidBy(bob_.HeardSoFar(), nick_);
    for (auto line = said.begin() + static_cast<std::ptrdiff_t>(from); line != said.end();
         ++line) {
      (line->starts_with(".") ? lines.first : lines.second).push_back(*line);
    }
    return lines;
  };
  EXPECT_TRUE(bob_.WaitUntil(
      [&](const std::vector<Heard>&) { return split().second.size() >= replies.size(); },
      120s))
      << Describe(bob_.HeardSoFar());
  bob_.Listen(1s);
  EXPECT_EQ(split(), std::make_pair(commands, replies)) << Describe(bob_.HeardSoFar());
}

TEST_F(OnIrc, AfterTheServerRestartsTheClientRejoinsAndIsAnswered) {
  server_.Stop();
  ASSERT_TRUE(server_.Start());
  ASSERT_TRUE(bob_.Join(server_.Port(), "bob"));
  ASSERT_TRUE(bob_.WaitForPerson(nick_, 60s)) << "the client did not rejoin";
  const std::size_t from = HeardFromUser();
  ASSERT_TRUE(TypeInRoom(".song"));
  EXPECT_TRUE(BobHears({".song", kSongName}, from)) << Describe(bob_.HeardSoFar());
}

// Moved to a monitor at 150 %: the client's text and the lines it sits in
// grow, and the room still works.
TEST_F(OnIrc, AtAnotherScaleTheRoomGrowsAndStillWorks) {
  const HWND entry = FindWindowExW(ChatRoom(), nullptr, L"RICHCNTL", nullptr);
  RECT before{};
  ASSERT_TRUE(GetWindowRect(entry, &before));
  ASSERT_TRUE(SendDpiChanged(FindWindowW(L"AOL Frame25", nullptr), 144));
  RECT after{};
  EXPECT_TRUE(WaitUntil(
      [&] {
        GetWindowRect(entry, &after);
        return (after.bottom - after.top) * 4 >= (before.bottom - before.top) * 5;
      },
      10s))
      << before.bottom - before.top << " px high, then " << after.bottom - after.top;
  const std::size_t from = HeardFromUser();
  ASSERT_TRUE(TypeInRoom(".song"));
  EXPECT_TRUE(BobHears({".song", kSongName}, from)) << Describe(bob_.HeardSoFar());
}

class OnIrcAnnouncing : public OnIrc {
 protected:
  OnIrcAnnouncing() { autoAdvertise_ = "1"; }
};

// The announcement goes through the entry line while the user is typing
// in it: the user's words stay there.
TEST_F(OnIrcAnnouncing, ChangeOfSongIsAnnouncedAndTheUsersWordsStay) {
  const HWND entry = FindWindowExW(ChatRoom(), nullptr, L"RICHCNTL", nullptr);
  for (const char letter : std::string("half")) {
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutW(entry, WM_CHAR, static_cast<WPARAM>(letter), 1,
                                    SMTO_ABORTIFHUNG, 5000, &result));
  }
  const std::size_t from = HeardFromUser();
  ASSERT_TRUE(Drive(playerWindow_, "next"));
  EXPECT_TRUE(BobHears({"~~ Playing Song: Night Drive - Neon Harbour BitRate: 192 - "
                        "Length: 00:05:01"},
                       from))
      << Describe(bob_.HeardSoFar());
  EXPECT_EQ(WindowText(entry), "half");
}

class OnIrcNickTaken : public OnIrc {
 protected:
  OnIrcNickTaken() {
    nickTaken_ = true;
    nick_ = "ann_";
  }
};

TEST_F(OnIrcNickTaken, TheAlternateNickIsTakenAndTheWelcomeCaptionFollows) {
  EXPECT_TRUE(WaitUntil([] { return WindowText(ChatWelcome()) == "Welcome, ann_!"; }, 10s))
      << WindowText(ChatWelcome());
  const std::size_t from = HeardFromUser();
  ASSERT_TRUE(TypeInRoom(".song"));
  EXPECT_TRUE(BobHears({".song", kSongName}, from)) << Describe(bob_.HeardSoFar());
}

}  // namespace
}  // namespace tavrin::e2e
