#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "irc/certificate_check.h"
#include "irc/chat_client.h"
#include "irc/tls_records.h"
#include "irc_fakes.h"
#include "sim/virtual_clock.h"

namespace tavrin::irc {
namespace {

using platform::Milliseconds;
using testing::kAlert;
using testing::kData;
using testing::kHandshake;
using testing::Record;

PeerCertificate Certificate(CertificateProblem problem, std::uint8_t fill = 0xAB) {
  PeerCertificate certificate{problem, "Bad\nthing", {}};
  certificate.sha256.fill(fill);
  return certificate;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

TEST(CertificateCheck, TrustedOrPinnedGoesOnAndAnythingElseIsRefusedWithItsFingerprint) {
  const std::string fingerprint = FingerprintText(Certificate({}).sha256);
  ASSERT_EQ(fingerprint, "AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:"
                         "AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB:AB");
  const std::map<std::string, std::string> pins = {{"irc.example.net", fingerprint}};
  struct Case {
    CertificateProblem problem;
    std::string host;
    std::uint8_t fill;
    bool accepted;
    std::string says;
  };
  for (const Case& c : std::vector<Case>{
           {CertificateProblem::kNone, "irc.test", 1, true, ""},
           {CertificateProblem::kUntrusted, "irc.test", 0xAB, false,
            "not from an authority this computer trusts"},
           {CertificateProblem::kExpired, "irc.test", 0xAB, false, "has expired"},
           {CertificateProblem::kWrongName, "irc.test", 0xAB, false,
            "for another name than irc.test"},
           {CertificateProblem::kOther, "irc.test", 0xAB, false, "Badthing"},
           {CertificateProblem::kWrongName, "IRC.Example.NET.", 0xAB, true, "you pinned it"},
           {CertificateProblem::kUntrusted, "irc.example.net", 0xCD, false,
            "/pin CD:CD:"}}) {
    const CertificateVerdict verdict =
        JudgeCertificate(Certificate(c.problem, c.fill), c.host, pins);
    const std::string text = Joined(verdict.lines);
    EXPECT_EQ(verdict.accepted, c.accepted) << text;
    EXPECT_NE(text.find(c.says), std::string::npos) << text;
    if (!c.accepted) {
      const std::string shown = FingerprintText(Certificate({}, c.fill).sha256);
      EXPECT_NE(text.find("fingerprint is " + shown), std::string::npos) << text;
      EXPECT_NE(text.find("/pin " + shown), std::string::npos) << text;
    }
  }
}

TEST(CertificateCheck, FingerprintsAreReadAsTypedOrPasted) {
  const std::string wanted = FingerprintText(Certificate({}, 0xAB).sha256);
  std::string bare(64, 'a');
  for (std::size_t i = 1; i < 64; i += 2) bare[i] = 'B';
  EXPECT_EQ(NormalFingerprint(bare), wanted);
  EXPECT_EQ(NormalFingerprint(" " + wanted + " "), wanted);
  std::string spaced = wanted;
  for (char& c : spaced) c = c == ':' ? ' ' : c;
  EXPECT_EQ(NormalFingerprint(spaced), wanted);
  for (const std::string& wrong : {bare.substr(2), bare + "ab", bare.substr(1) + "g", std::string()}) {
    EXPECT_FALSE(NormalFingerprint(wrong)) << wrong;
  }
}

TEST(TlsRecords, FollowsRecordsCutAnywhereAndTellsPlainTextAtItsFirstByte) {
  const std::string stream = Record(kHandshake, "hello") + Record(kData, std::string(300, 'x'));
  TlsRecords records;
  for (std::size_t i = 0; i < stream.size(); ++i) {
    ASSERT_TRUE(records.Feed(stream.substr(i, 1)));
    EXPECT_EQ(records.InsideRecord(), i + 1 != 10 && i + 1 != stream.size()) << i;
  }
  for (const std::string& wrong :
       {std::string(":irc.test NOTICE * :hi\r\n"), std::string("\x16\x02\x01\x00\x01x", 6),
        std::string("\x17\x03\x03\x48\x01", 5)}) {
    TlsRecords fresh;
    EXPECT_FALSE(fresh.Feed(wrong)) << wrong;
    EXPECT_TRUE(fresh.Broken());
  }
}

// The TLS layer under the client: the fake engine's handshake ends when the
// server's "DONE" comes.
class TlsClientTest : public ::testing::Test {
 protected:
  TlsClientTest() {
    settings.server = "irc.example.net";
    settings.nick = "ann";
  }
  void Handshake() {
    client.Connect(settings);
    connection.Accept();
    connection.Say(Record(kHandshake, "DONE"));
  }
  bool Said(const std::string& part) const {
    return Joined(view.status).find(part) != std::string::npos;
  }

  sim::VirtualClock clock;
  testing::FakeConnection connection;
  testing::FakeView view;
  testing::FakeTlsEngines tls;
  ClientSettings settings;
  ChatClient client{connection, tls, clock, clock, view};
};

TEST_F(TlsClientTest, ARefusedCertificateWaitsForThePinAndThenTheLinesGoSealed) {
  tls.certificate = Certificate(CertificateProblem::kUntrusted, 0x5A);
  const std::string fingerprint = FingerprintText(tls.certificate.sha256);
  Handshake();
  EXPECT_EQ(connection.openedTo, "irc.example.net:6697");
  EXPECT_TRUE(Said("Its SHA-256 fingerprint is " + fingerprint)) << Joined(view.status);
  EXPECT_TRUE(Said("Not connecting again by itself"));
  EXPECT_FALSE(connection.open);
  EXPECT_EQ(connection.sent, Record(kHandshake, "HELLO")) << "nothing but the handshake";
  clock.Advance(Milliseconds(3600000));
  EXPECT_EQ(connection.opens, 1);

  // Typed in a room that is not open: the answer goes to the welcome window.
  client.Type("#gone", "/pin " + fingerprint.substr(0, 10));
  EXPECT_TRUE(Said("Not a SHA-256 fingerprint"));
  EXPECT_EQ(view.rooms.count("#gone"), 0u);
  EXPECT_TRUE(view.stored.empty());
  client.Type("", "/pin " + fingerprint);
  ASSERT_EQ(view.stored.size(), 1u);
  EXPECT_EQ(view.stored[0].pins.at("irc.example.net"), fingerprint);
  EXPECT_EQ(connection.opens, 2);
  connection.Accept();
  connection.sent.clear();
  connection.Say(Record(kHandshake, "DONE"));
  EXPECT_TRUE(Said("because you pinned it"));
  EXPECT_EQ(connection.sent.substr(0, 5 + 12), Record(kData, "CAP LS 302\r\n"));
  connection.Say(Record(kData, ":srv 001 ann :Welcome\r\n"));
  EXPECT_TRUE(client.SignedOn());
}

TEST_F(TlsClientTest, WhatIsNotTlsOrEndsInsideARecordDropsTheConnectionToTryAgain) {
  struct Case {
    std::string server;  // after the handshake's "DONE", or "" for none
    bool handshake;
    std::string says;
  };
  for (const Case& c : std::vector<Case>{
           {":irc.test NOTICE * :*** Looking up your hostname\r\n", false,
            "did not answer in TLS: is 6697 its TLS port?"},
           {Record(kData, ":srv 001 ann :hi\r\n").substr(0, 9), true,
            "closed in the middle of a TLS record"},
           {Record(kAlert, "FAIL"), true, "TLS failed: the server sent an alert"},
           {Record(kAlert, "CLOSE"), true, "Disconnected: the server closed the connection"}}) {
    view.status.clear();
    const int opens = connection.opens;
    client.Connect(settings);
    connection.Accept();
    if (c.handshake) connection.Say(Record(kHandshake, "DONE"));
    connection.Say(c.server);
    if (connection.open) connection.Drop("the server closed the connection");
    EXPECT_TRUE(Said(c.says)) << Joined(view.status);
    EXPECT_TRUE(Said("Connecting again in")) << c.says;
    clock.Advance(Milliseconds(2000));
    EXPECT_EQ(connection.opens, opens + 2) << c.says;
  }
}

TEST_F(TlsClientTest, LinesTypedWhileTheServerRenegotiatesWaitAndKeepTheirOrder) {
  Handshake();
  connection.Say(Record(kData, ":srv 001 ann :Welcome\r\n:ann!a@h JOIN #tavrin\r\n"));
  clock.Advance(Milliseconds(60000));
  connection.sent.clear();
  connection.Say(Record(kHandshake, "AGAIN"));
  client.Type("#tavrin", "one");
  client.Type("#tavrin", "two");
  EXPECT_EQ(connection.sent, "");
  connection.Say(Record(kHandshake, "DONE"));
  EXPECT_EQ(connection.sent, Record(kData, "PRIVMSG #tavrin one\r\nPRIVMSG #tavrin two\r\n"));
}

}  // namespace
}  // namespace tavrin::irc
