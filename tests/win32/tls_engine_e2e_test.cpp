// The system's TLS and data protection as the chat client uses them, under
// Wine: Schannel over a plain socket to a real IRC server's TLS port, which
// shows each kind of certificate the test authority made, and to openssl's
// test server (an old TLS version; text longer than a record).

#include <winsock2.h>
#include <windows.h>
#include <wincrypt.h>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "e2e_support.h"
#include "irc_server.h"
#include "loopback_socket.h"
#include "test_certificates.h"
#include "win32/irc/dpapi_secret_box.h"
#include "win32/irc/schannel_engine.h"
#include "win32/irc/security_handles.h"

namespace tavrin::irc {
void PrintTo(CertificateProblem problem, std::ostream* out) {
  static const char* const kNames[] = {"none",    "untrusted", "expired",
                                       "wrong name", "revoked", "other"};
  *out << kNames[static_cast<int>(problem)];
}
}  // namespace tavrin::irc

namespace tavrin::win32 {
void PrintTo(CredentialsForm form, std::ostream* out) {
  *out << (form == CredentialsForm::kCurrent ? "current credentials" : "older credentials");
}
}  // namespace tavrin::win32

namespace tavrin::e2e {
namespace {

using irc::CertificateProblem;
using win32::CredentialsForm;
using State = irc::TlsOutput::State;
using Clock = std::chrono::steady_clock;

// One TLS connection to a loopback port: what the engine has for the server
// goes out at once, what the server sends is fed in as it comes.
class TlsClient {
 public:
  TlsClient(std::uint16_t port, CredentialsForm form) : engine_(form) {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    socket_ = ConnectToLoopback(port);
    open_ = socket_ != INVALID_SOCKET;
  }
  ~TlsClient() {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
    WSACleanup();
  }
  TlsClient(const TlsClient&) = delete;
  TlsClient& operator=(const TlsClient&) = delete;

  bool Connected() const { return open_; }
  win32::SchannelEngine& Engine() { return engine_; }
  const std::string& Error() const { return error_; }

  // The state the handshake ends in (kHandshaking when the server went
  // quiet or away first).
  State Handshake(const std::string& host, std::chrono::milliseconds limit = 20s) {
    Apply(engine_.Start(host));
    PumpWhile([this] { return state_ == State::kHandshaking; }, limit);
    return state_;
  }

  bool Send(std::string_view plain) {
    const std::optional<std::string> sealed = engine_.Seal(plain);
    return sealed.has_value() && SendRaw(*sealed);
  }

  bool WaitForText(std::string_view text, std::chrono::milliseconds limit = 20s) {
    const auto heard = [&] { return plain_.find(text) != std::string::npos; };
    PumpWhile([&] { return !heard() && state_ == State::kReady; }, limit);
    return heard();
  }

 private:
  void PumpWhile(const std::function<bool()>& more, std::chrono::milliseconds limit) {
    const auto until = Clock::now() + limit;
    while (open_ && more() && Clock::now() < until) {
      fd_set readable;
      FD_ZERO(&readable);
      FD_SET(socket_, &readable);
      timeval wait{0, 100 * 1000};
      if (select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
      char buffer[16 * 1024];
      const int got = recv(socket_, buffer, sizeof buffer, 0);
      if (got <= 0) {
        open_ = false;
        return;
      }
      Apply(engine_.Feed(std::string_view(buffer, static_cast<std::size_t>(got))));
    }
  }

  void Apply(const irc::TlsOutput& out) {
    if (!out.toServer.empty()) SendRaw(out.toServer);
    plain_ += out.plain;
    state_ = out.state;
    error_ = out.error;
  }

  bool SendRaw(std::string_view bytes) {
    while (!bytes.empty()) {
      const int sent = send(socket_, bytes.data(), static_cast<int>(bytes.size()), 0);
      if (sent <= 0) return false;
      bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
  }

  win32::SchannelEngine engine_;
  SOCKET socket_ = INVALID_SOCKET;
  bool open_ = false;
  State state_ = State::kHandshaking;
  std::string plain_;
  std::string error_;
};

std::string Colons(const std::array<std::uint8_t, 32>& hash) {
  std::string text;
  for (const std::uint8_t byte : hash) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%02X", byte);
    text += (text.empty() ? "" : ":") + std::string(pair);
  }
  return text;
}

// The certificates are made once for the test program, and their authority
// trusted while it runs.
class WithTestCertificates : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    certificates_ = std::make_unique<TestCertificates>();
    authority_ = std::make_unique<TrustedAuthority>(certificates_->Path("ca.pem"));
  }
  static void TearDownTestSuite() {
    authority_.reset();
    certificates_.reset();
  }
  void SetUp() override {
    ASSERT_TRUE(certificates_->Made()) << "make-test-certs.sh failed";
    ASSERT_TRUE(authority_->Trusted());
  }

  static inline std::unique_ptr<TestCertificates> certificates_;
  static inline std::unique_ptr<TrustedAuthority> authority_;
};

struct CertificateCase {
  const char* label;
  const char* certificate;  // as make-test-certs.sh names it
  CertificateProblem problem;
  CredentialsForm form;
};

void PrintTo(const CertificateCase& row, std::ostream* out) { *out << row.label; }

class ServerShowing : public WithTestCertificates,
                           public ::testing::WithParamInterface<CertificateCase> {};

// The engine only reports: whatever the verdict, the connection works and
// the client decides.
TEST_P(ServerShowing, GivesTheSystemsVerdictAndTheHashAndCarriesLines) {
  const CertificateCase& row = GetParam();
  IrcServer server(ServerCertificate{certificates_->UnixFolder(), row.certificate});
  ASSERT_TRUE(server.Running());
  TlsClient client(server.TlsPort(), row.form);
  ASSERT_TRUE(client.Connected());

  ASSERT_EQ(client.Handshake("localhost"), State::kReady) << client.Error();
  const irc::PeerCertificate peer = client.Engine().Certificate();
  EXPECT_EQ(peer.problem, row.problem) << peer.detail;
  EXPECT_EQ(Colons(peer.sha256), certificates_->Fingerprint(row.certificate));
  const std::string protocol = client.Engine().Protocol();
  EXPECT_TRUE(protocol == "TLS 1.2" || protocol == "TLS 1.3") << protocol;

  ASSERT_TRUE(client.Send("NICK a\r\nUSER a 0 * a\r\n"));
  EXPECT_TRUE(client.WaitForText(":irc.test.local 001")) << client.Error();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ServerShowing,
    ::testing::Values(
        CertificateCase{"Trusted", "localhost", CertificateProblem::kNone,
                        CredentialsForm::kCurrent},
        CertificateCase{"TrustedWithOlderCredentials", "localhost",
                        CertificateProblem::kNone, CredentialsForm::kOlder},
        CertificateCase{"ForAnotherName", "other", CertificateProblem::kWrongName,
                        CredentialsForm::kCurrent},
        CertificateCase{"SelfSigned", "self", CertificateProblem::kUntrusted,
                        CredentialsForm::kCurrent},
        CertificateCase{"Expired", "expired", CertificateProblem::kExpired,
                        CredentialsForm::kCurrent},
        // Wine's SSL policy passes this chain; the chain's own status does not.
        CertificateCase{"FromAnUnknownAuthority", "stranger", CertificateProblem::kUntrusted,
                        CredentialsForm::kCurrent}),
    [](const ::testing::TestParamInfo<CertificateCase>& info) {
      return std::string(info.param.label);
    });

// Wine lets a server pick TLS 1.1 whatever the current form of credentials
// says; the older form refuses it in the handshake.
class OldServer : public WithTestCertificates,
                  public ::testing::WithParamInterface<CredentialsForm> {};

TEST_P(OldServer, IsRefused) {
  OpensslServer server(*certificates_, "localhost", OpensslServer::Version::kTls11);
  ASSERT_TRUE(server.Running());
  TlsClient client(server.Port(), GetParam());
  ASSERT_TRUE(client.Connected());
  EXPECT_EQ(client.Handshake("localhost"), State::kFailed);
  EXPECT_FALSE(client.Error().empty());
}

INSTANTIATE_TEST_SUITE_P(Forms, OldServer,
                         ::testing::Values(CredentialsForm::kCurrent,
                                           CredentialsForm::kOlder),
                         [](const ::testing::TestParamInfo<CredentialsForm>& info) {
                           return std::string(info.param == CredentialsForm::kCurrent
                                                  ? "CurrentCredentials"
                                                  : "OlderCredentials");
                         });

TEST_F(WithTestCertificates, TextLongerThanARecordIsSealedInPieces) {
  OpensslServer server(*certificates_, "localhost", OpensslServer::Version::kTls12);
  ASSERT_TRUE(server.Running());
  TlsClient client(server.Port(), CredentialsForm::kCurrent);
  ASSERT_EQ(client.Handshake("localhost"), State::kReady) << client.Error();

  // A record holds at most 16 KB.
  std::string text;
  for (int line = 0; text.size() < 40 * 1024; ++line) {
    text += "line " + std::to_string(line) + " " + std::string(100, 'x') + "\n";
  }
  ASSERT_TRUE(client.Send(text));
  EXPECT_TRUE(WaitUntil(
      [&] { return server.Received().find(text) != std::string::npos; }, 20s, 50ms));
}

TEST(TextInsteadOfTls, APlainPortNeverGetsReady) {
  IrcServer server;
  ASSERT_TRUE(server.Running());
  TlsClient client(server.Port(), CredentialsForm::kCurrent);
  ASSERT_TRUE(client.Connected());
  EXPECT_NE(client.Handshake("localhost", 3s), State::kReady);
}

TEST(TextInsteadOfTls, FailsOnceMoreIsBufferedThanARecordCanHold) {
  win32::SchannelEngine engine;
  ASSERT_EQ(engine.Start("localhost").state, State::kHandshaking);
  const std::string line = ":irc.test.local NOTICE * :*** Looking up your hostname\r\n";
  irc::TlsOutput out;
  std::size_t fed = 0;
  for (; fed < 80 * 1024 && out.state != State::kFailed; fed += line.size()) {
    out = engine.Feed(line);
  }
  EXPECT_EQ(out.state, State::kFailed);
  EXPECT_FALSE(out.error.empty());
  EXPECT_LE(fed, 64u * 1024 + line.size());
  EXPECT_EQ(engine.Feed(line).state, State::kFailed);
  EXPECT_FALSE(engine.Seal("NICK a\r\n").has_value());
}

TEST(DpapiSecretBox, OpensWhatItSealed) {
  win32::DpapiSecretBox box;
  for (const std::string& secret :
       {std::string(), std::string("hunter2"), std::string("p\xC3\xA4ss w\xC3\xB6rd"),
        std::string(3000, 'z')}) {
    SCOPED_TRACE(secret.substr(0, 20));
    const std::optional<std::string> sealed = box.Seal(secret);
    ASSERT_TRUE(sealed.has_value());
    if (!secret.empty()) {
      EXPECT_EQ(sealed->find(secret), std::string::npos);
    }
    EXPECT_EQ(box.Open(*sealed), secret);
  }
}

TEST(DpapiSecretBox, OpensNothingDamagedOrSealedByAnother) {
  win32::DpapiSecretBox box;
  const std::optional<std::string> sealed = box.Seal("hunter2");
  ASSERT_TRUE(sealed.has_value());
  std::string flipped = *sealed;
  flipped[flipped.size() - 20] ^= 0x01;
  // The same user's data protection without our entropy.
  std::string secret = "hunter2";
  DATA_BLOB plain{static_cast<DWORD>(secret.size()), reinterpret_cast<BYTE*>(secret.data())};
  DATA_BLOB foreign{};
  ASSERT_TRUE(CryptProtectData(&plain, L"other", nullptr, nullptr, nullptr,
                               CRYPTPROTECT_UI_FORBIDDEN, &foreign));
  const win32::UniqueLocalMemory foreignOwner(foreign.pbData);

  for (const std::string& bytes :
       {flipped, sealed->substr(0, sealed->size() - 1), std::string(),
        std::string("not sealed at all"),
        std::string(reinterpret_cast<const char*>(foreign.pbData), foreign.cbData)}) {
    EXPECT_EQ(box.Open(bytes), std::nullopt) << bytes.size() << " bytes";
  }
}

}  // namespace
}  // namespace tavrin::e2e
