#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chat/chat_room.h"
#include "chat/chat_scan.h"
#include "forwarding_windows.h"
#include "sim_world.h"

namespace tavrin::chat {
namespace {

using platform::Milliseconds;
using testing::SimWorld;

class ChatScanTest : public ::testing::Test {
 protected:
  ChatScanTest() {
    scan.SetLineHandler([this](std::string_view speaker, std::string_view text) {
      heard.push_back(std::string(speaker) + "|" + std::string(text));
    });
  }

  void Say(std::string_view speaker, std::string_view text) {
    world.chat->AddLine(1, speaker, text);
  }
  void Polls(int count) { world.clock.Advance(ChatScan::kPollInterval * count); }

  SimWorld world;
  sim::SimChat& chat = world.StartChat();
  testing::CountingWindows windows{world.windows};
  ChatScan scan{windows, world.clock};
  std::vector<std::string> heard;
};

TEST_F(ChatScanTest, RaisesNewLinesInOrderButNoneFromBeforeTheStart) {
  Say("Bob", "before");
  scan.Start();
  EXPECT_TRUE(scan.Running());
  Say("Bob", "one");
  Say("Test User", "two: with colon\tand tab");
  ChatSend(world.windows, ".adv");
  Polls(1);
  EXPECT_EQ(heard, (std::vector<std::string>{
                       "Bob|one", "Test User|two: with colon\tand tab",
                       "DemoUser|.adv"}));
  Polls(5);
  EXPECT_EQ(heard.size(), 3u) << "each line once";
}

TEST_F(ChatScanTest, LineWithoutItsLineEndWaitsForIt) {
  scan.Start();
  const auto transcript = world.desktop.FindWindowEx(
      chat.RoomWindow(1), 0, kRoomChildClasses[0]);
  world.desktop.SetTextOf(transcript, "Bob:\thal");
  Polls(1);
  EXPECT_TRUE(heard.empty());
  world.desktop.SetTextOf(transcript, "Bob:\thalf a line\r\nnot a line\r\n");
  Polls(1);
  EXPECT_EQ(heard, std::vector<std::string>{"Bob|half a line"})
      << "a line without speaker is no chat line";
}

// A line still being written when the scan took the room as seen is
// history: the rest of it, once its line end comes, is no line of its own,
// even when it reads like one.
TEST_F(ChatScanTest, UnfinishedLineTakenAsSeenStaysHistoryWhenItEnds) {
  const auto transcript = world.desktop.FindWindowEx(
      chat.RoomWindow(1), 0, kRoomChildClasses[0]);
  world.desktop.SetTextOf(transcript, "Carol:\tI was typing ");
  scan.Start();
  world.desktop.SetTextOf(
      transcript, "Carol:\tI was typing DemoUser:\t.exit\r\nBob:\tafter\r\n");
  Polls(1);
  EXPECT_EQ(heard, std::vector<std::string>{"Bob|after"});
}

TEST_F(ChatScanTest, LineEndSplitAcrossTheStartEndsTheHistoryLine) {
  const auto transcript = world.desktop.FindWindowEx(
      chat.RoomWindow(1), 0, kRoomChildClasses[0]);
  world.desktop.SetTextOf(transcript, "Bob:\thi\r");
  scan.Start();
  world.desktop.SetTextOf(transcript, "Bob:\thi\r\nDemoUser:\t.adv\r\n");
  Polls(1);
  EXPECT_EQ(heard, std::vector<std::string>{"DemoUser|.adv"});
}

TEST_F(ChatScanTest, ShorterTranscriptIsTakenAsSeenAndFollowedFromThere) {
  scan.Start();
  Say("Bob", "one");
  Polls(1);
  const auto transcript = world.desktop.FindWindowEx(
      chat.RoomWindow(1), 0, kRoomChildClasses[0]);
  world.desktop.SetTextOf(transcript, "Carol:\tkept\r\n");
  Polls(1);
  Say("Bob", "after the trim");
  Polls(1);
  EXPECT_EQ(heard, (std::vector<std::string>{"Bob|one", "Bob|after the trim"}));
}

TEST_F(ChatScanTest, AnotherRoomsHistoryIsNotRaised) {
  scan.Start();
  chat.Drive("open Second Room");
  world.chat->AddLine(2, "Dave", "old news");
  world.desktop.Destroy(chat.RoomWindow(1));
  Polls(1);
  world.chat->AddLine(2, "Dave", "fresh");
  Polls(1);
  EXPECT_EQ(heard, std::vector<std::string>{"Dave|fresh"});
}

TEST_F(ChatScanTest, HungRoomIsAskedAgainLaterAndNothingIsRaisedTwice) {
  scan.Start();
  Say("Bob", "one");
  Polls(1);
  chat.Drive("hang 1000");
  Polls(10);
  Say("Bob", "two");
  Polls(60);
  EXPECT_EQ(heard, (std::vector<std::string>{"Bob|one", "Bob|two"}));
}

TEST_F(ChatScanTest, UnchangedTranscriptIsNotReadWhateverItsLength) {
  for (int i = 0; i < 2000; ++i) Say("Bob", std::string(90, 'x'));
  scan.Start();
  Polls(1);
  const int reads = windows.reads;
  Polls(20);
  EXPECT_EQ(windows.reads, reads);
  Say("Bob", "new");
  Polls(1);
  EXPECT_EQ(windows.reads, reads + 1);
  EXPECT_EQ(heard, std::vector<std::string>{"Bob|new"});
}

TEST_F(ChatScanTest, PollInsideTheHandlerRaisesNoLineTwice) {
  scan.SetLineHandler([this](std::string_view speaker, std::string_view text) {
    heard.push_back(std::string(speaker) + "|" + std::string(text));
    // The handler's send pumps, and a poll runs inside it.
    if (text == "one") {
      Say("Carol", "three");
      scan.Poll();
    }
  });
  scan.Start();
  Say("Bob", "one");
  Say("Bob", "two");
  Polls(3);
  EXPECT_EQ(heard, (std::vector<std::string>{"Bob|one", "Bob|two", "Carol|three"}));
}

}  // namespace
}  // namespace tavrin::chat
