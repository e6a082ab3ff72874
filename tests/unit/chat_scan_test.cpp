#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "chat/chat_room.h"
#include "chat/chat_scan.h"
#include "platform/text_reports.h"
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
  ChatScan scan{windows, world.clock, world.clock};
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

// Rich text controls may end lines with a lone CR; a CR LF split across two
// reads is one line end. Only "<speaker>:<TAB>" begins a chat line.
TEST_F(ChatScanTest, LineEndsOfEveryKindEndOneLineEach) {
  scan.Start();
  const auto transcript = world.desktop.FindWindowEx(
      chat.RoomWindow(1), 0, kRoomChildClasses[0]);
  for (const char* text : {"Bob:\tcr lf\r\n", "Bob:\tcr\r", "\nBob:\tlf\n",
                           "Bob: hi\r\n\r\nCarol:\t\r\n", "Bob:\tlast\r"}) {
    world.desktop.SetTextOf(transcript, world.desktop.TextOf(transcript) + text);
    Polls(1);
  }
  EXPECT_EQ(heard, (std::vector<std::string>{"Bob|cr lf", "Bob|cr", "Bob|lf",
                                             "Carol|", "Bob|last"}));
}

// Real clients keep only their last lines.
TEST_F(ChatScanTest, CappedTranscriptIsFollowedLineByLine) {
  chat.Drive("cap 100");
  Say("Bob", "history");
  scan.Start();
  std::vector<std::string> said;
  for (int i = 0; i < 10000; ++i) {
    said.push_back("Bob|line " + std::to_string(i));
    Say("Bob", said.back().substr(4));
    if (i % 7 == 0) Polls(1);
  }
  // Lines of one length: the last trims keep the length as it was.
  world.clock.Advance(ChatScan::kRereadAfterTrimmed);
  EXPECT_EQ(heard, said);
}

// A capped client may drop a line as long as the one it adds: the length
// stays, and the transcript is read all the same before long, sooner once
// the client was seen dropping lines.
TEST_F(ChatScanTest, TrimThatKeepsTheLengthIsReadBeforeLong) {
  chat.Drive("cap 2");
  Say("Bob", "one");
  Say("Bob", "two");
  scan.Start();
  Say("Bob", "six");
  world.clock.Advance(ChatScan::kRereadAfter - ChatScan::kPollInterval);
  EXPECT_TRUE(heard.empty());
  Polls(1);
  Say("Bob", "three");
  Polls(1);
  Say("Bob", "ten");
  world.clock.Advance(ChatScan::kRereadAfterTrimmed);
  EXPECT_EQ(heard, (std::vector<std::string>{"Bob|six", "Bob|three", "Bob|ten"}));
}

TEST_F(ChatScanTest, ClearedOrRewrittenTranscriptIsHistory) {
  scan.Start();
  const auto transcript = world.desktop.FindWindowEx(
      chat.RoomWindow(1), 0, kRoomChildClasses[0]);
  Say("Bob", "one");
  Polls(1);
  world.desktop.SetTextOf(transcript, "Eve:\tforged\r\nDemoUser:\t.exit\r\n");
  Polls(1);
  world.desktop.SetTextOf(transcript, "");
  Polls(1);
  Say("Bob", "two");
  Polls(1);
  EXPECT_EQ(heard, (std::vector<std::string>{"Bob|one", "Bob|two"}));
}

// A transcript rewritten to begin with the one line seen last (a client
// reloading its history) is no trim: the old lines after it are not heard
// again.
TEST_F(ChatScanTest, RewriteBeginningWithTheLastLineSeenIsHistory) {
  scan.Start();
  const auto transcript = world.desktop.FindWindowEx(
      chat.RoomWindow(1), 0, kRoomChildClasses[0]);
  Say("Bob", "one");
  Say("Bob", "two");
  Say("DemoUser", ".adv");
  Polls(1);
  world.desktop.SetTextOf(transcript,
                          "DemoUser:\t.adv\r\nDemoUser:\t.exit\r\nBob:\tone\r\n");
  Polls(1);
  EXPECT_EQ(heard, (std::vector<std::string>{"Bob|one", "Bob|two", "DemoUser|.adv"}));
}

// The client answers the length, then stalls before the text: the read
// gives nothing, which is no cleared transcript.
TEST_F(ChatScanTest, ReadThatFailsAfterTheLengthChangesNothing) {
  class FailingRead final : public testing::ForwardingWindows {
   public:
    using ForwardingWindows::ForwardingWindows;
    std::optional<std::string> ReadText(platform::WindowHandle window) override {
      if (std::exchange(fail, false)) return std::nullopt;
      return ForwardingWindows::ReadText(window);
    }
    bool fail = false;
  } failing{world.windows};
  ChatScan own{failing, world.clock, world.clock};
  own.SetLineHandler([this](std::string_view speaker, std::string_view text) {
    heard.push_back(std::string(speaker) + "|" + std::string(text));
  });
  own.Start();
  ChatSend(world.windows, ".exit");
  world.clock.Advance(ChatScan::kPollInterval);
  failing.fail = true;
  Say("Bob", "after");
  world.clock.Advance(ChatScan::kPollInterval * 2);
  EXPECT_EQ(heard, (std::vector<std::string>{"DemoUser|.exit", "Bob|after"}));
}

// The room found is kept: an idle poll asks its transcript's length, and a
// room gone is looked for again.
TEST_F(ChatScanTest, IdlePollIsOneLengthQuery) {
  chat.Drive("decoys 5");
  scan.Start();
  windows.calls = 0;
  Polls(10);
  EXPECT_EQ(windows.calls, 10);
  world.desktop.Destroy(chat.RoomWindow(1));
  chat.Drive("open Second Room");
  world.chat->AddLine(2, "Dave", "old news");
  Polls(1);
  world.chat->AddLine(2, "Dave", "fresh");
  Polls(1);
  EXPECT_EQ(heard, std::vector<std::string>{"Dave|fresh"});
}

// A quiet room is polled less often until a line comes.
TEST_F(ChatScanTest, QuietRoomIsPolledLessOftenUntilALineComes) {
  scan.Start();
  Polls(ChatScan::kQuietPolls);
  windows.calls = 0;
  world.clock.Advance(ChatScan::kQuietPollInterval * 5);
  EXPECT_EQ(windows.calls, 5);
  Say("Bob", "hi");
  world.clock.Advance(ChatScan::kQuietPollInterval);
  windows.calls = 0;
  Polls(4);
  EXPECT_EQ(windows.calls, 4);
  EXPECT_EQ(heard, std::vector<std::string>{"Bob|hi"});
}

// A client that reports its changes wakes the scan at once, a trim that
// keeps the length included, and a pump inside the handler (the reply's
// send) hears the report of the reply; once every change found came
// reported, a quiet room is polled only now and then.
TEST_F(ChatScanTest, ReportedChangeIsReadAtOnceAndQuietRoomPolledSeldom) {
  chat.ReportChanges(true);
  chat.Drive("cap 2");
  Say("Bob", "one");
  Say("Bob", "two");
  scan.SetLineHandler([this](std::string_view speaker, std::string_view text) {
    heard.push_back(std::string(speaker) + "|" + std::string(text));
    if (text == "six") {
      Say("Me", "ack");
      world.windows.PumpOnce();
    }
  });
  scan.Start();
  Say("Bob", "six");
  world.clock.Advance(Milliseconds(0));
  EXPECT_EQ(heard, (std::vector<std::string>{"Bob|six", "Me|ack"}));
  Polls(ChatScan::kReportedQuietPolls);
  windows.calls = 0;
  world.clock.Advance(ChatScan::kReportedQuietPollInterval * 3);
  EXPECT_EQ(windows.calls, 3);
  Say("Bob", "ten");
  world.clock.Advance(Milliseconds(0));
  EXPECT_EQ(heard.back(), "Bob|ten");
}

// A change that only the slow poll found shows the client does not report
// them all: its room is polled as one that reports nothing, reports or not.
TEST_F(ChatScanTest, ClientThatLeftAChangeUnreportedIsPolledAsBefore) {
  chat.ReportChanges(true);
  scan.Start();
  Say("Bob", "one");
  Polls(ChatScan::kReportedQuietPolls);
  chat.ReportChanges(false);
  Say("Bob", "two");
  world.clock.Advance(ChatScan::kReportedQuietPollInterval);
  chat.ReportChanges(true);
  Say("Bob", "three");
  Polls(ChatScan::kQuietPolls);
  windows.calls = 0;
  world.clock.Advance(ChatScan::kQuietPollInterval * 5);
  EXPECT_EQ(windows.calls, 5);
  EXPECT_EQ(heard, (std::vector<std::string>{"Bob|one", "Bob|two", "Bob|three"}));
}

// The poll's look can find a change before its report is delivered: the
// report that follows still tells that the client reports its changes.
TEST_F(ChatScanTest, AReportThatComesAfterItsChangeWasReadCounts) {
  chat.ReportChanges(true);
  platform::TextReports reports(world.windows, {});
  reports.Follow(world.desktop.FindWindowEx(chat.RoomWindow(1), 0,
                                            kRoomChildClasses[0]));
  Say("Bob", "one");
  reports.Changed(false, false);
  world.clock.Advance(Milliseconds(0));
  EXPECT_TRUE(reports.TakeReport());
  EXPECT_TRUE(reports.ReportsAll());
}

}  // namespace
}  // namespace tavrin::chat
