#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "irc/base64.h"
#include "irc/chat_client.h"
#include "irc/sasl_login.h"
#include "irc/send_queue.h"
#include "irc_fakes.h"
#include "sim/virtual_clock.h"

namespace tavrin::irc {
namespace {

using platform::Milliseconds;
using Lines = std::vector<std::string>;

// The capability negotiation and the account's login, as the server leads
// them; every line the client sends is taken as it leaves.
class LoginTest : public ::testing::Test {
 protected:
  LoginTest() {
    settings.server = "127.0.0.1";
    settings.tls = false;
    settings.nick = "ann";
    settings.account = "ann";
    settings.accountPassword = "pass word";
  }
  Lines Start() {
    client.Connect(settings);
    connection.Accept();
    return Sent();
  }
  Lines Answer(const std::string& lines) {
    connection.Say(lines);
    return Sent();
  }
  Lines Sent() {
    clock.Advance(Milliseconds(10) * 1000);
    return connection.TakeLines();
  }
  bool Said(const std::string& start) const {
    for (const auto& line : view.status) {
      if (line.rfind(start, 0) == 0) return true;
    }
    return false;
  }
  void ExpectNoSecondTry() {
    EXPECT_FALSE(connection.open);
    clock.Advance(Milliseconds(3600000));
    EXPECT_EQ(connection.opens, 1) << "a failed login is not tried again by itself";
    EXPECT_TRUE(Said("Not connecting again by itself"));
  }

  sim::VirtualClock clock;
  testing::FakeConnection connection;
  testing::FakeView view;
  testing::FakeTlsEngines tls;
  ClientSettings settings;
  ChatClient client{connection, tls, clock, clock, view};
};

TEST_F(LoginTest, LogsInWithPlainAfterAListInSeveralLines) {
  EXPECT_EQ(Start(), (Lines{"CAP LS 302", "NICK ann", "USER ann 0 * ann"}));
  EXPECT_EQ(Answer(":srv CAP * LS * :multi-prefix away-notify\r\n"), Lines{});
  EXPECT_EQ(Answer(":srv CAP * LS :sasl=EXTERNAL,PLAIN server-time\r\n"),
            Lines{"CAP REQ sasl"});
  EXPECT_EQ(Answer(":srv CAP ann ACK :sasl\r\n"), Lines{"AUTHENTICATE PLAIN"});
  EXPECT_EQ(Answer("AUTHENTICATE +\r\n"),
            Lines{"AUTHENTICATE " + Base64(std::string("ann\0ann\0pass word", 17))});
  EXPECT_EQ(Answer(":srv 900 ann ann!a@h ann :You are now logged in\r\n"
                   ":srv 903 ann :SASL authentication successful\r\n"),
            Lines{"CAP END"});
  EXPECT_TRUE(Said("Logged in as ann."));
  Answer(":srv 001 ann :Welcome\r\n");
  EXPECT_TRUE(client.SignedOn());
}

TEST_F(LoginTest, ALongPasswordGoesInPiecesAndAFullLastPieceIsFollowedByAPlus) {
  // "ann\0ann\0" and 292 bytes make 300 bytes: 400 characters of base64.
  settings.accountPassword = std::string(292, 'p');
  Start();
  Answer(":srv CAP * LS :sasl\r\n:srv CAP ann ACK :sasl\r\n");
  const Lines sent = Answer("AUTHENTICATE +\r\n");
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].size(), std::string("AUTHENTICATE ").size() + SaslLogin::kPiece);
  EXPECT_EQ(sent[1], "AUTHENTICATE +");
}

TEST_F(LoginTest, AFailedLoginIsSaidAndNotTriedAgain) {
  Start();
  Answer(":srv CAP * LS :sasl\r\n:srv CAP ann ACK :sasl\r\nAUTHENTICATE +\r\n");
  Answer(":srv 904 ann :SASL authentication failed\r\n");
  EXPECT_TRUE(Said("Login as ann failed: SASL authentication failed"));
  ExpectNoSecondTry();
}

class NotOffered : public LoginTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(NotOffered, StopsTheSignOn) {
  Start();
  EXPECT_EQ(Answer(GetParam()), Lines{});
  EXPECT_TRUE(Said("The server does not offer login with an account"));
  EXPECT_FALSE(client.SignedOn());
  ExpectNoSecondTry();
}

INSTANTIATE_TEST_SUITE_P(Offers, NotOffered,
                         ::testing::Values(":srv CAP * LS :multi-prefix\r\n",
                                           ":srv CAP * LS :sasl=EXTERNAL\r\n",
                                           ":srv CAP * LS :sasl\r\n:srv CAP ann NAK :sasl\r\n",
                                           ":srv 421 ann CAP :Unknown command\r\n",
                                           ":srv 001 ann :Welcome\r\n"));

TEST_F(LoginTest, NoAccountEndsTheNegotiationAndNoPasswordLeavesInPlainTextForAnotherHost) {
  settings.account.clear();
  Start();
  EXPECT_EQ(Answer(":srv CAP * LS :sasl\r\n"), Lines{"CAP END"});
  settings.account = "ann";
  settings.server = "irc.example.net";
  client.Connect(settings);
  connection.Accept();
  Sent();
  EXPECT_EQ(Answer(":srv CAP * LS :sasl\r\n"), Lines{});
  EXPECT_TRUE(Said("Not sending the password of ann over a connection without TLS"));
  EXPECT_FALSE(connection.open);
}

}  // namespace
}  // namespace tavrin::irc
