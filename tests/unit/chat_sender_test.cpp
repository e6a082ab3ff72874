#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "chat/chat_sender.h"
#include "sim_world.h"

namespace tavrin::chat {
namespace {

using platform::HungPeerGuard;
using platform::Milliseconds;
using testing::SimWorld;

// A client slow over our text: it took the text, so the text lands in the
// entry box, but the send gave up waiting before its Enter.
class ChatSenderTest : public ::testing::Test {
 protected:
  ChatSenderTest() : chat(world.StartChat()) {}

  // Past the back-off, so that the watch asks the client again.
  void ClientAnswersAgain() {
    world.clock.Advance(HungPeerGuard::kBackOff + Milliseconds(200));
  }

  SimWorld world;
  sim::SimChat& chat;
  ChatSender sender{world.windows, world.clock, world.clock};
};

TEST_F(ChatSenderTest, LineLeftInTheBoxGoesOutWhenTheClientAnswersAgain) {
  chat.Drive("slow 1000");
  const auto before = world.clock.Now();
  sender.Send("~~ Playing Song: Artist - Title");
  EXPECT_EQ(world.clock.Now() - before, HungPeerGuard::kSendTimeout);
  EXPECT_EQ(chat.EntryText(1), "~~ Playing Song: Artist - Title");
  EXPECT_EQ(chat.Transcript(1), "");
  EXPECT_TRUE(sender.Watching());
  ClientAnswersAgain();
  EXPECT_EQ(chat.Transcript(1), "DemoUser:\t~~ Playing Song: Artist - Title\r\n");
  EXPECT_EQ(chat.EntryText(1), "");
  EXPECT_FALSE(sender.Watching());
  EXPECT_EQ(world.clock.RunningTimers(), 0u) << "the watch stops";
}

TEST_F(ChatSenderTest, LateLineGoesOutBeforeTheNextOne) {
  chat.Drive("slow 1000");
  sender.Send("first");
  world.clock.Stall(HungPeerGuard::kBackOff);
  sender.Send("second");
  EXPECT_EQ(chat.Transcript(1), "DemoUser:\tfirst\r\nDemoUser:\tsecond\r\n");
}

TEST_F(ChatSenderTest, WhatTheUserTypedOverALateLineIsLeftAlone) {
  chat.Drive("slow 1000");
  sender.Send("first");
  world.desktop.SetTextOf(chat.EntryWindow(1), "my own words");
  ClientAnswersAgain();
  EXPECT_EQ(chat.Transcript(1), "");
  EXPECT_EQ(chat.EntryText(1), "my own words");
  EXPECT_FALSE(sender.Watching());
}

TEST_F(ChatSenderTest, TextNeverTakenLeavesTheBoxAsItWas) {
  world.desktop.SetTextOf(chat.EntryWindow(1), "half-typed");
  chat.Drive("hang 1000");
  sender.Send("first");
  ClientAnswersAgain();
  EXPECT_EQ(chat.Transcript(1), "");
  EXPECT_EQ(chat.EntryText(1), "half-typed");
  EXPECT_FALSE(sender.Watching());
}

TEST_F(ChatSenderTest, ClientThatStaysAwayIsWatchedForAWhileOnly) {
  chat.Drive("slow 1000");
  sender.Send("first");
  chat.Drive("hang 3600000");
  world.clock.Advance(ChatSender::kPatience - ChatSender::kWatchInterval * 2);
  EXPECT_TRUE(sender.Watching());
  world.clock.Advance(ChatSender::kWatchInterval * 2);
  EXPECT_FALSE(sender.Watching());
  EXPECT_EQ(world.clock.RunningTimers(), 0u);
}

TEST_F(ChatSenderTest, WithoutTroubleNothingIsWatched) {
  sender.Send("plain");
  EXPECT_EQ(chat.Transcript(1), "DemoUser:\tplain\r\n");
  EXPECT_FALSE(sender.Watching());
  EXPECT_EQ(world.clock.RunningTimers(), 0u);
}

// A client that stops taking messages, or is slow over one, for a moment:
// the line it let time out and those sent while it is backed off all go
// out once it answers, in order, each once.
TEST_F(ChatSenderTest, BriefStallLosesNoLine) {
  for (const char* stall : {"hang 200", "slow 200"}) {
    SCOPED_TRACE(stall);
    SimWorld stalled;
    sim::SimChat& client = stalled.StartChat();
    ChatSender lines{stalled.windows, stalled.clock, stalled.clock};
    std::vector<ChatSender::Outcome> outcomes;
    const auto note = [&](ChatSender::Outcome outcome) {
      outcomes.push_back(outcome);
    };
    client.Drive(stall);
    for (const char* text : {"one", "two", "three"}) lines.Send(text, note);
    EXPECT_EQ(client.Transcript(1), "");
    stalled.clock.Advance(HungPeerGuard::kBackOff + Milliseconds(300));
    EXPECT_EQ(client.Transcript(1),
              "DemoUser:\tone\r\nDemoUser:\ttwo\r\nDemoUser:\tthree\r\n");
    EXPECT_EQ(outcomes, std::vector<ChatSender::Outcome>(
                            3, ChatSender::Outcome::kPosted));
    EXPECT_EQ(stalled.clock.RunningTimers(), 0u);
  }
}

TEST_F(ChatSenderTest, LinesWaitForAClientThatStaysAwayForAWhileOnly) {
  std::vector<ChatSender::Outcome> outcomes;
  chat.Drive("hang 3600000");
  for (const char* text : {"one", "two"}) {
    sender.Send(text, [&](ChatSender::Outcome outcome) {
      outcomes.push_back(outcome);
    });
  }
  world.clock.Advance(ChatSender::kPatience - Milliseconds(200));
  EXPECT_TRUE(outcomes.empty());
  world.clock.Advance(Milliseconds(400));
  EXPECT_EQ(outcomes,
            std::vector<ChatSender::Outcome>(2, ChatSender::Outcome::kLost));
  EXPECT_EQ(world.clock.RunningTimers(), 0u);
}

TEST_F(ChatSenderTest, WithoutARoomTheLineIsDroppedAndSaidSo) {
  chat.Drive("close");
  std::optional<ChatSender::Outcome> outcome;
  sender.Send("nowhere", [&](ChatSender::Outcome o) { outcome = o; });
  EXPECT_EQ(outcome, ChatSender::Outcome::kNoRoom);
  EXPECT_EQ(world.clock.RunningTimers(), 0u);
}

}  // namespace
}  // namespace tavrin::chat
