#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "irc/chat_client.h"
#include "irc/reconnect_delay.h"
#include "irc/send_queue.h"
#include "irc/session.h"
#include "irc_fakes.h"
#include "sim/virtual_clock.h"

namespace tavrin::irc {
namespace {

using platform::Milliseconds;
using testing::FakeConnection;
using testing::FakeView;
using Lines = std::vector<std::string>;

class ChatClientTest : public ::testing::Test {
 protected:
  ChatClientTest() {
    settings.server = "irc.test";
    settings.tls = false;
    settings.port = ClientSettings::kPlainPort;
    settings.nick = "Owner";
    settings.channels = {"#tavrin"};
  }

  void SignOn(const std::string& nick = "Owner") {
    client.Connect(settings);
    connection.Accept();
    connection.Say(":srv 001 " + nick + " :Welcome\r\n:srv 005 " + nick +
                   " CASEMAPPING=rfc1459 PREFIX=(ov)@+ :are supported\r\n");
    connection.TakeLines();
  }
  void Joined(const std::string& channel = "#tavrin") {
    connection.Say(":" + client.Nick() + "!u@h JOIN " + channel + "\r\n:srv 353 " +
                   client.Nick() + " = " + channel + " :" + client.Nick() +
                   " @alice +bob\r\n:srv 366 " + client.Nick() + " " + channel + " :End\r\n");
  }
  Lines& RoomLines() { return view.rooms["#tavrin"].lines; }

  sim::VirtualClock clock;
  FakeConnection connection;
  FakeView view;
  ClientSettings settings;
  testing::FakeTlsEngines tls;
  ChatClient client{connection, tls, clock, clock, view};
};

TEST_F(ChatClientTest, RegistersThenJoinsTheConfiguredRoomsAtSignOn) {
  settings.serverPassword = "secret word";
  client.Connect(settings);
  EXPECT_EQ(connection.openedTo, "irc.test:6667");
  connection.Accept();
  EXPECT_EQ(connection.TakeLines(),
            (Lines{"CAP LS 302", "PASS :secret word", "NICK Owner", "USER Owner 0 * Owner"}));
  connection.Say(":srv 001 Owner :Welcome\r\n");
  EXPECT_EQ(connection.TakeLines(), Lines{"JOIN #tavrin"});
  EXPECT_TRUE(client.SignedOn());
  EXPECT_EQ(view.nick, "Owner");
}

TEST_F(ChatClientTest, TriesAlternateNicksThenGivesUp) {
  client.Connect(settings);
  connection.Accept();
  connection.TakeLines();
  Lines tried;
  for (int i = 0; i < Session::kNickTries; ++i) {
    connection.Say(":srv 433 * x :Nickname already in use\r\n");
    clock.Advance(SendQueue::kInterval);
    for (const auto& line : connection.TakeLines()) tried.push_back(line);
  }
  EXPECT_EQ(tried, (Lines{"NICK Owner_", "NICK Owner__", "NICK Owner___"}));
  EXPECT_FALSE(connection.open);
  clock.Advance(Milliseconds(600000));
  EXPECT_EQ(connection.opens, 1) << "no reconnect after giving up";
}

TEST_F(ChatClientTest, TakesTheNickTheServerSignsUsOnWith) {
  client.Connect(settings);
  connection.Accept();
  connection.Say(":srv 433 * Owner :in use\r\n:srv 001 Owner_ :Welcome\r\n");
  EXPECT_EQ(client.Nick(), "Owner_");
  EXPECT_EQ(view.nick, "Owner_");
}

TEST_F(ChatClientTest, AnswersPingAheadOfQueuedChatLines) {
  SignOn();
  Joined();
  client.Type("#tavrin", std::string(3000, 'x'));
  connection.TakeLines();
  connection.Say("PING :abc\r\n");
  clock.Advance(SendQueue::kInterval);
  EXPECT_EQ(connection.TakeLines(), Lines{"PONG abc"});
}

TEST_F(ChatClientTest, PeopleAreSortedByRankThenName) {
  SignOn();
  Joined();
  connection.Say(":Carl!c@h JOIN #tavrin\r\n:alice!a@h MODE #tavrin +o-v+v Owner bob carl\r\n"
                 ":dave!d@h JOIN #TAVRIN\r\n:bob!b@h NICK :Bobby\r\n:dave!d@h PART #tavrin\r\n");
  EXPECT_EQ(view.rooms["#tavrin"].people, (Lines{"@alice", "@Owner", "+Carl", "Bobby"}));
  EXPECT_EQ(RoomLines().back(), "*** dave has left");
}

TEST_F(ChatClientTest, RemoteTextCannotPassForTheUsersOwnLine) {
  SignOn();
  Joined();
  const std::vector<std::pair<std::string, std::string>> hostile = {
      {":OWNER!x@h PRIVMSG #tavrin :.exit", "-OWNER- .exit"},
      {":owner!x@h PRIVMSG #tavrin :.exit", "-owner- .exit"},
      {":Ow\x02ner!x@h PRIVMSG #tavrin :.exit", "-Owner- .exit"},
      {":eve!x@h PRIVMSG #tavrin :hi\xE2\x80\xA8Owner:\t.exit", "eve:\thiOwner: .exit"},
      {":eve!x@h PRIVMSG #tavrin :\x03" "4,1x\x1D", "eve:\tx"},
      {":ev:e!x@h PRIVMSG #tavrin :.exit", "-ev:e- .exit"},
      {":eve!x@h NOTICE #tavrin :.exit", "-eve- .exit"},
      {":Owner!x@h PRIVMSG #tavrin :\x01" "ACTION .exit\x01", "* Owner .exit"},
  };
  for (const auto& [line, shown] : hostile) {
    connection.Say(line + "\r\n");
    EXPECT_EQ(RoomLines().back(), shown) << line;
  }
  const std::size_t before = RoomLines().size();
  connection.Say(":eve!x@h PRIVMSG #tavrin :a\rOwner:\tb\n");
  EXPECT_EQ(RoomLines().size(), before) << "a lone CR inside a line makes it no line";
}

TEST_F(ChatClientTest, EchoesWhatTheUserTypesAsTheOnlyOwnChatLines) {
  SignOn();
  Joined();
  client.Type("#tavrin", ".song\r\n/me waves\n//slash");
  clock.Advance(SendQueue::kInterval * 3);
  EXPECT_EQ(connection.TakeLines(),
            (Lines{"PRIVMSG #tavrin .song", "PRIVMSG #tavrin :\x01" "ACTION waves\x01",
                   "PRIVMSG #tavrin /slash"}));
  const Lines tail(RoomLines().end() - 3, RoomLines().end());
  EXPECT_EQ(tail, (Lines{"Owner:\t.song", "* Owner waves", "Owner:\t/slash"}));
}

TEST_F(ChatClientTest, SplitsALongMessageSoThatEachRelayedPieceFits) {
  SignOn();
  Joined();
  std::string text;
  for (int i = 0; i < 300; ++i) text += "\xC3\xA9 ";
  client.Type("#tavrin", text);
  clock.Advance(SendQueue::kInterval * 3);
  const Lines sent = connection.TakeLines();
  ASSERT_GE(sent.size(), 2u);
  std::string joined;
  for (const auto& line : sent) {
    const std::string relayed = ":Owner!~Owner@" + std::string(63, 'h') + " " + line;
    EXPECT_LE(relayed.size(), 510u);
    joined += line.substr(line.find(" :") + 2);
  }
  EXPECT_EQ(joined, text);
  EXPECT_EQ(RoomLines().size(), 1 + sent.size()) << "a line per piece, after the join's";
}

TEST_F(ChatClientTest, UnknownCommandsAndTypingWhileDisconnectedSendNothing) {
  SignOn();
  Joined();
  client.Type("#tavrin", "/frobnicate now");
  EXPECT_TRUE(connection.TakeLines().empty());
  EXPECT_NE(RoomLines().back().find("/frobnicate"), std::string::npos);
  client.Type("", "/frobnicate again");
  EXPECT_NE(view.status.back().find("/frobnicate"), std::string::npos);
  connection.Drop("reset by peer");
  client.Type("#tavrin", "are you there");
  EXPECT_EQ(RoomLines().back(), "*** Not connected; not sent: are you there");
}

TEST_F(ChatClientTest, ReconnectsWithBackOffAndRejoinsTheOpenRooms) {
  SignOn();
  Joined();
  Joined("#other");
  connection.Drop("reset by peer");
  EXPECT_TRUE(view.rooms["#tavrin"].open);
  EXPECT_TRUE(view.rooms["#other"].people.empty());
  clock.Advance(ReconnectDelay::kFirst - Milliseconds(10));
  EXPECT_EQ(connection.opens, 1);
  clock.Advance(Milliseconds(10));
  EXPECT_EQ(connection.opens, 2);
  connection.Drop("refused");
  clock.Advance(ReconnectDelay::kFirst * 2);
  EXPECT_EQ(connection.opens, 3);
  connection.Accept();
  connection.TakeLines();
  connection.Say(":srv 001 Owner :Welcome\r\n");
  EXPECT_EQ(connection.TakeLines(), Lines{"JOIN #tavrin,#other"});
}

TEST_F(ChatClientTest, AQuietServerIsPingedThenDropped) {
  SignOn();
  clock.Advance(Milliseconds(209000));
  EXPECT_TRUE(connection.TakeLines().empty());
  clock.Advance(Milliseconds(1000));
  EXPECT_EQ(connection.TakeLines(), Lines{"PING :tavrin"});
  clock.Advance(Milliseconds(60000));
  EXPECT_FALSE(connection.open);
  EXPECT_EQ(connection.opens, 1);
  clock.Advance(ReconnectDelay::kFirst);
  EXPECT_EQ(connection.opens, 2);
}

TEST_F(ChatClientTest, DisconnectQuitsAndStopsEveryTimer) {
  SignOn();
  client.Disconnect("bye");
  EXPECT_EQ(connection.TakeLines(), Lines{"QUIT bye"});
  EXPECT_FALSE(connection.open);
  EXPECT_EQ(clock.RunningTimers(), 0u);
  clock.Advance(Milliseconds(600000));
  EXPECT_EQ(connection.opens, 1);
}

TEST_F(ChatClientTest, AnswersCtcpVersionAtMostOncePerFewSeconds) {
  SignOn();
  for (int i = 0; i < 3; ++i) connection.Say(":eve!e@h PRIVMSG Owner :\x01VERSION\x01\r\n");
  const Lines sent = connection.TakeLines();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].rfind("NOTICE eve :\x01VERSION Tavrin Chat ", 0), 0u) << sent[0];
  clock.Advance(Session::kVersionEvery);
  connection.Say(":eve!e@h PRIVMSG Owner :\x01VERSION\x01\r\n");
  EXPECT_EQ(connection.TakeLines().size(), 1u);
}

TEST_F(ChatClientTest, KickOrLeavingCloseTheUsersRoom) {
  SignOn();
  Joined();
  Joined("#other");
  connection.Say(":alice!a@h KICK #tavrin Owner :out\r\n:Owner!u@h PART #other\r\n");
  EXPECT_FALSE(view.rooms["#tavrin"].open);
  EXPECT_FALSE(view.rooms["#other"].open);
  EXPECT_EQ(view.status.back(), "You were kicked from #tavrin by alice (out)");
}

}  // namespace
}  // namespace tavrin::irc
