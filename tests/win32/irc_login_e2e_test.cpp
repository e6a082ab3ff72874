// tavrin-chat.exe logging in with an account, end to end: the client under
// Wine against a scripted server in this process that negotiates
// capabilities and checks SASL PLAIN credentials.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e_support.h"
#include "irc_scene.h"
#include "irc_script_server.h"
#include "win32/irc/chat_resource_ids.h"

namespace tavrin::e2e {
namespace {

// The menu command of Chat > Connect.
constexpr WPARAM kConnectCommand = 100;
constexpr char kNotAgain[] =
    "Not connecting again by itself: change the account or password in Chat, Connect.";

std::string PlainPayload(const std::string& account, const std::string& password) {
  return Base64Of(account + std::string(1, '\0') + account + std::string(1, '\0') + password);
}

std::wstring Arguments(std::uint16_t port, const std::wstring& more) {
  return L"--server 127.0.0.1 --port " + std::to_wstring(port) +
         L" --no-tls --nick ann --channels #tavrin " + more;
}

// Whether connection `connection` sent exactly `line`.
auto SentOn(int connection, const std::string& line) {
  return [=](const IrcScriptServer::Seen& seen) {
    return std::any_of(seen.lines.begin(), seen.lines.end(), [&](const ReceivedLine& one) {
      return one.connection == connection && one.text == line;
    });
  };
}

class LoggingIn : public ::testing::Test {
 protected:
  // A stored account would log every later test's client in.
  void SetUp() override { DeleteFileW(ChatSettingsFile().c_str()); }
  void TearDown() override {
    chat_.End();
    DeleteFileW(ChatSettingsFile().c_str());
  }

  void StartChat(const std::wstring& arguments) {
    chat_ = Process::Start(ProgramFolder() + L"\\tavrin-chat.exe", arguments);
  }

  // Closes the client as the user does, so that it ends its own way.
  bool CloseChat() {
    PostMessageW(FindWindowW(L"AOL Frame25", nullptr), WM_CLOSE, 0, 0);
    return chat_.WaitForExit(15s);
  }

  static bool StatusHasLine(const std::string& line) {
    const auto lines = WelcomeLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  // The client reported the failure, dropped its one connection and
  // stays away.
  void ExpectGivenUp(IrcScriptServer& server, const std::string& firstLine) {
    EXPECT_TRUE(WaitUntil([&] {
      return WelcomeHasLineStarting(firstLine) && StatusHasLine(kNotAgain);
    }, 20s)) << WelcomeText();
    EXPECT_TRUE(server.WaitUntil([](const IrcScriptServer::Seen& seen) {
      return seen.ended == 1;
    })) << server.Describe();
    // An absence: no event marks "it will not come", so the check spans a
    // fixed time well past the 2 s after which a dropped client returns.
    EXPECT_TRUE(HoldsFor([&] { return server.Connections() == 1; }, 6s))
        << server.Describe();
  }

  Process chat_;
};

TEST_F(LoggingIn, AnAccountLogsInWithSaslAndThePasswordIsStoredOnlySealed) {
  // The capability list comes in two lines, as a long one would.
  IrcScriptServer server({{"sasl=PLAIN,EXTERNAL", "multi-prefix"}, "ann", "s3cret pass"});
  ASSERT_TRUE(server.Listening());
  const std::string payload = PlainPayload("ann", "s3cret pass");
  StartChat(Arguments(server.Port(), L"--account ann --account-password \"s3cret pass\""));
  ASSERT_TRUE(server.WaitUntil(SentOn(1, "AUTHENTICATE " + payload))) << server.Describe();
  ASSERT_TRUE(server.WaitUntil(SentOn(1, "JOIN #tavrin"))) << server.Describe();
  EXPECT_EQ(server.LinesOf(1).front(), "CAP LS 302");
  EXPECT_TRUE(WaitUntil([] { return StatusHasLine("Logged in as ann."); }, 10s))
      << WelcomeText();

  const std::string stored = ReadWholeFile(ChatSettingsFile());
  EXPECT_NE(stored.find("account_password_sealed="), std::string::npos) << stored;
  for (const std::string& secret : {std::string("s3cret pass"), Base64Of("s3cret pass"), payload}) {
    EXPECT_EQ(stored.find(secret), std::string::npos) << secret << " in\n" << stored;
  }

  ASSERT_TRUE(CloseChat());
  StartChat(L"");
  EXPECT_TRUE(server.WaitUntil(SentOn(2, "AUTHENTICATE " + payload))) << server.Describe();
  EXPECT_TRUE(server.WaitUntil(SentOn(2, "JOIN #tavrin"))) << server.Describe();

  // Chat > Connect shows the account, and of its password only that one is
  // stored.
  PostMessageW(FindWindowW(L"AOL Frame25", nullptr), WM_COMMAND, kConnectCommand, 0);
  HWND dialog = nullptr;
  // Shown once its fields are filled.
  ASSERT_TRUE(WaitUntil([&] {
    dialog = FindWindowW(L"#32770", L"Connect");
    return dialog != nullptr && IsWindowVisible(dialog);
  }));
  const HWND password = GetDlgItem(dialog, CHAT_ACCOUNT_PASSWORD_ID);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, CHAT_ACCOUNT_ID)), "ann");
  EXPECT_EQ(WindowText(password), "");
  EXPECT_EQ(IsDlgButtonChecked(dialog, CHAT_TLS_ID), BST_UNCHECKED);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, CHAT_FORGET_ID)));
  // The empty field above is read the way a filled one is.
  SetWindowTextW(password, L"typed");
  EXPECT_EQ(WindowText(password), "typed");
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(LoggingIn, AFailedLoginIsReportedAndNotTriedAgain) {
  IrcScriptServer server({{"sasl"}, "ann", "s3cret pass"});
  ASSERT_TRUE(server.Listening());
  StartChat(Arguments(server.Port(), L"--account ann --account-password wrong --no-save"));
  ASSERT_TRUE(server.WaitUntil(SentOn(1, "AUTHENTICATE " + PlainPayload("ann", "wrong"))))
      << server.Describe();
  ExpectGivenUp(server, "Login as ann failed");
}

TEST_F(LoggingIn, AnAccountTheServerCannotLogInIsNotTriedAgain) {
  IrcScriptServer server({{"multi-prefix"}, "ann", "s3cret pass"});
  ASSERT_TRUE(server.Listening());
  StartChat(Arguments(server.Port(), L"--account ann --account-password x --no-save"));
  ExpectGivenUp(server, "The server does not offer login with an account");
}

TEST_F(LoggingIn, WithoutAnAccountAServerThatKnowsNoCapStillSignsOn) {
  IrcScriptServer server({{}, "", ""});
  ASSERT_TRUE(server.Listening());
  StartChat(Arguments(server.Port(), L"--no-save"));
  EXPECT_TRUE(server.WaitUntil(SentOn(1, "JOIN #tavrin"))) << server.Describe();
}

}  // namespace
}  // namespace tavrin::e2e
