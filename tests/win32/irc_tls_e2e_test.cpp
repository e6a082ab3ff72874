// tavrin-chat.exe over TLS, end to end: ngircd's TLS port with certificates
// the test makes, the client under Wine checking them with the system's
// chain of trust, and the program's lines reaching another person.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e_support.h"
#include "irc_peer.h"
#include "irc_scene.h"
#include "irc_server.h"
#include "shell_driving.h"
#include "test_certificates.h"

namespace tavrin::e2e {
namespace {

constexpr char kLoaded[] = "~~ Tavrin By: Dunmarrow (Kestle) Successfully loaded.";
constexpr char kRefused[] = "The server's certificate was refused: ";
constexpr char kEncrypted[] = "Encrypted with TLS 1.";

std::wstring TlsArguments(std::uint16_t port, const std::wstring& more = L"") {
  return L"--server localhost --tls --port " + std::to_wstring(port) +
         L" --nick ann --channels #tavrin" + more;
}

class OverTls : public ::testing::Test {
 protected:
  // A pin stored by one test would trust its certificate in the next.
  void SetUp() override {
    DeleteFileW(ChatSettingsFile().c_str());
    ASSERT_TRUE(certificates_.Made());
  }
  void TearDown() override {
    chat_.End();
    DeleteFileW(ChatSettingsFile().c_str());
  }

  TestCertificates certificates_;
  Process chat_;
};

TEST_F(OverTls, AnUntrustedCertificateIsRefusedUntilPinnedAndThenTheProgramIsHeard) {
  IrcServer server({certificates_.UnixFolder(), "self"});
  ASSERT_TRUE(server.Running());
  IrcPeer bob;
  ASSERT_TRUE(bob.Join(server.Port(), "bob"));
  StoreRoomSettings("0");
  const std::wstring folder = NewTemporaryFolder();
  Process player = Process::Start(ProgramFolder() + L"\\standin-player.exe",
                                  L"--log \"" + folder + L"\\player.log\"");
  ASSERT_NE(WaitForTopLevel("Winamp v1.x"), nullptr);

  chat_ = Process::Start(ProgramFolder() + L"\\tavrin-chat.exe", TlsArguments(server.TlsPort()));
  const std::string fingerprint = certificates_.Fingerprint("self");
  ASSERT_EQ(fingerprint.size(), 95u);
  ASSERT_TRUE(WaitUntil([&] {
    return WelcomeHasLineStarting(
               std::string(kRefused) + "it is not from an authority this computer trusts.") &&
           WelcomeHasLineStarting("Its SHA-256 fingerprint is " + fingerprint + ".") &&
           WelcomeHasLineStarting("If the network confirms that fingerprint, type /pin " +
                                  fingerprint) &&
           WelcomeHasLineStarting("Disconnected: the server's certificate was not accepted.");
  }, 30s)) << WelcomeText();
  EXPECT_FALSE(bob.WaitForPerson("ann", 1s)) << "the client signed on through a refusal";

  ASSERT_TRUE(TypeInWelcome("/pin " + fingerprint));
  ASSERT_TRUE(bob.WaitForPerson("ann", 30s)) << WelcomeText();
  EXPECT_TRUE(WelcomeHasLineStarting(
      "The server's certificate is accepted because you pinned it for localhost"))
      << WelcomeText();
  EXPECT_TRUE(WelcomeHasLineStarting(kEncrypted)) << WelcomeText();
  EXPECT_NE(ReadWholeFile(ChatSettingsFile()).find("pin=localhost " + fingerprint + "\n"),
            std::string::npos)
      << ReadWholeFile(ChatSettingsFile());

  ASSERT_TRUE(WaitUntil([] { return ChatRoom() != nullptr; }));
  Process program = Process::Start(ProgramFolder() + L"\\tavrin.exe", L"");
  ASSERT_NE(PassTheSplash(), nullptr);
  ASSERT_TRUE(bob.WaitForText(kLoaded)) << Describe(bob.HeardSoFar());
  ASSERT_TRUE(TypeInRoom(".song"));
  EXPECT_TRUE(bob.WaitForText("~~ Song Name: Artist - Title")) << Describe(bob.HeardSoFar());
}

// Each certificate on its own server; the test authority is trusted, so
// that the name and the dates are what is judged.
TEST_F(OverTls, TheSystemsTrustIsNotEnoughForAnotherNameOrAnExpiredCertificate) {
  TrustedAuthority authority(certificates_.Path("ca.pem"));
  ASSERT_TRUE(authority.Trusted());
  struct Case {
    std::string certificate;
    std::string says;
  };
  for (const Case& c : std::vector<Case>{
           {"localhost", kEncrypted},
           {"other", std::string(kRefused) + "it is for another name than localhost."},
           {"expired", std::string(kRefused) + "it has expired, or is not valid yet."}}) {
    IrcServer server({certificates_.UnixFolder(), c.certificate});
    ASSERT_TRUE(server.Running()) << c.certificate;
    chat_ = Process::Start(ProgramFolder() + L"\\tavrin-chat.exe",
                           TlsArguments(server.TlsPort(), L" --no-save"));
    EXPECT_TRUE(WaitUntil([&] { return WelcomeHasLineStarting(c.says); }, 30s))
        << c.certificate << "\n" << WelcomeText();
    const bool accepted = c.says == kEncrypted;
    EXPECT_EQ(WaitUntil([] { return WelcomeHasLineStarting("Signed on as ann."); },
                        accepted ? 30s : 2s),
              accepted)
        << c.certificate << "\n" << WelcomeText();
    if (!accepted) {
      EXPECT_TRUE(WelcomeHasLineStarting("Its SHA-256 fingerprint is " +
                                         certificates_.Fingerprint(c.certificate)))
          << WelcomeText();
    }
    chat_.End();
  }
}

}  // namespace
}  // namespace tavrin::e2e
