#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "irc/base64.h"
#include "irc/client_settings.h"
#include "irc/nick.h"
#include "irc/typed_command.h"
#include "irc_fakes.h"

namespace tavrin::irc {
namespace {

TEST(ClientSettings, TextKeepsEveryValueAndThePasswordsOnlySealed) {
  ClientSettings settings;
  settings.server = "irc.example.org";
  settings.tls = false;
  settings.port = 6697;
  settings.nick = "[Tav]-1";
  settings.serverPassword = "a=b c";
  settings.account = "ann";
  settings.accountPassword = "hunter2 x";
  settings.channels = {"#a", "&b"};
  settings.pins["irc.example.org"] = std::string(95, 'A');
  testing::FakeSecretBox secrets;
  std::string problem;
  const std::string text = SettingsText(settings, secrets, &problem);
  const ClientSettings back = SettingsFromText(text, secrets, &problem);
  EXPECT_EQ(problem, "");
  EXPECT_EQ(back.server, settings.server);
  EXPECT_EQ(back.tls, settings.tls);
  EXPECT_EQ(back.port, settings.port);
  EXPECT_EQ(back.nick, settings.nick);
  EXPECT_EQ(back.serverPassword, settings.serverPassword);
  EXPECT_EQ(back.account, settings.account);
  EXPECT_EQ(back.accountPassword, settings.accountPassword);
  EXPECT_EQ(back.channels, settings.channels);
  EXPECT_EQ(back.pins, (std::map<std::string, std::string>{}))
      << "a pin that is no fingerprint is dropped";
  for (const std::string& secret : std::vector<std::string>{"a=b c", "hunter2 x", Base64("a=b c"),
                                                             Base64("hunter2 x")}) {
    EXPECT_EQ(text.find(secret), std::string::npos) << secret << " in\n" << text;
  }
}

TEST(ClientSettings, PasswordsTheSystemCannotSealOrOpenAreLeftOutAndSaidSo) {
  ClientSettings settings;
  settings.server = "irc.example.org";
  settings.accountPassword = "hunter2";
  testing::FakeSecretBox secrets;
  const std::string stored = SettingsText(settings, secrets);
  secrets.refuse = true;
  std::string problem;
  const std::string unsealed = SettingsText(settings, secrets, &problem);
  EXPECT_EQ(unsealed.find("password"), std::string::npos);
  EXPECT_NE(problem, "");
  problem.clear();
  EXPECT_EQ(SettingsFromText(stored, secrets, &problem).accountPassword, "");
  EXPECT_NE(problem, "");
}

TEST(ClientSettings, PinsAndAFileFromBeforeTls) {
  testing::FakeSecretBox secrets;
  const ClientSettings old = SettingsFromText(
      "server=irc.test\nport=6667\nnick=ann\npassword=plain\n"
      "pin=IRC.Test. " + std::string(64, 'c') + "\npin=other.test nothex\n", secrets);
  EXPECT_FALSE(old.tls);
  EXPECT_EQ(old.port, 6667);
  EXPECT_EQ(old.serverPassword, "plain");
  ASSERT_EQ(old.pins.size(), 1u);
  EXPECT_EQ(old.pins.begin()->first, "irc.test");
  EXPECT_EQ(old.pins.begin()->second.size(), 95u);
  EXPECT_EQ(SettingsText(old, secrets).find("plain"), std::string::npos)
      << "an old plain password is sealed when next stored";
  EXPECT_TRUE(ClientSettings{}.tls);
  EXPECT_EQ(ClientSettings{}.port, 6697);
}

TEST(ClientSettings, SkipsBrokenLinesAndWrongValues) {
  testing::FakeSecretBox secrets;
  const ClientSettings settings =
      SettingsFromText("\xEF\xBB\xBFserver = irc.test\r\nport=70000\r\nnick=1bad\r\njunk\r\n"
                       "channels=a, #b c\r\n", secrets);
  EXPECT_EQ(settings.server, "irc.test");
  EXPECT_EQ(settings.port, 6667);
  EXPECT_EQ(settings.nick, "");
  EXPECT_EQ(settings.channels, (std::vector<std::string>{"#a", "#b", "#c"}));
  EXPECT_FALSE(settings.Complete());
}

TEST(ClientSettings, NickRules) {
  for (const std::string& nick :
       std::vector<std::string>{"a", "`x", "Tav-9", "{a}|b^", std::string(30, 'n')}) {
    EXPECT_TRUE(ValidNick(nick)) << nick;
  }
  for (const std::string& nick : std::vector<std::string>{"", "9a", "-a", "a b", "a:b", "a!b", std::string(31, 'n')}) {
    EXPECT_FALSE(ValidNick(nick)) << nick;
  }
}

TEST(ClientSettings, CommandLineOverridesAndRefusesWhatIsWrong) {
  ClientSettings base;
  base.nick = "Base";
  std::string error;
  const auto line = ParseCommandLine({"--server", "h", "--port", "7000", "--no-save"}, base, error);
  ASSERT_TRUE(line);
  EXPECT_EQ(line->settings.server, "h");
  EXPECT_EQ(line->settings.port, 7000);
  EXPECT_EQ(line->settings.nick, "Base");
  EXPECT_FALSE(line->save);
  EXPECT_TRUE(line->anyGiven);
  for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
           {"--port", "0"}, {"--port", "12x"}, {"--nick", "a b"}, {"--server"}, {"-x"}}) {
    error.clear();
    EXPECT_FALSE(ParseCommandLine(words, base, error)) << words[0];
    EXPECT_FALSE(error.empty());
  }
}

TEST(ClientSettings, TlsOnTheCommandLineMovesTheUsualPortAlong) {
  struct Case {
    std::vector<std::string> words;
    bool tls;
    std::uint16_t port;
  };
  ClientSettings plain;
  plain.tls = false;
  plain.port = 6667;
  for (const Case& c : std::vector<Case>{{{"--tls"}, true, 6697},
                                         {{"--tls", "--port", "6667"}, true, 6667},
                                         {{"--port", "7000", "--tls"}, true, 7000},
                                         {{"--no-tls"}, false, 6667},
                                         {{"--account", "ann", "--account-password", "p w"},
                                          false, 6667}}) {
    std::string error;
    const auto line = ParseCommandLine(c.words, plain, error);
    ASSERT_TRUE(line) << error;
    EXPECT_EQ(line->settings.tls, c.tls) << c.words[0];
    EXPECT_EQ(line->settings.port, c.port) << c.words[0];
  }
  std::string error;
  const auto account = ParseCommandLine({"--account", "ann", "--account-password", "p w"},
                                        plain, error);
  EXPECT_EQ(account->settings.account, "ann");
  EXPECT_EQ(account->settings.accountPassword, "p w");
}

TEST(ClientSettings, OnlyLoopbackAddressesAndLocalhostAreThisComputer) {
  for (const char* host : {"localhost", "LocalHost.", "127.0.0.1", "127.1.2.3", "::1"}) {
    EXPECT_TRUE(OnThisComputer(host)) << host;
  }
  for (const char* host : {"irc.test", "127.0.0.1.example.net", "127.evil", "128.0.0.1", ""}) {
    EXPECT_FALSE(OnThisComputer(host)) << host;
  }
}

TEST(TypedCommand, ReadsTheCommandsTheUserTypes) {
  struct Case {
    std::string line;
    TypedKind kind;
    std::string target;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"hello /there", TypedKind::kSay, "", "hello /there"},
      {"//join #x", TypedKind::kSay, "", "/join #x"},
      {"/ME waves  slowly", TypedKind::kAction, "", "waves  slowly"},
      {"/join room key", TypedKind::kJoin, "#room", "key"},
      {"/part #a gone now", TypedKind::kLeave, "#a", "gone now"},
      {"/part gone", TypedKind::kLeave, "", "gone"},
      {"/msg bob hi there", TypedKind::kMessage, "bob", "hi there"},
      {"/notice bob hi", TypedKind::kNotice, "bob", "hi"},
      {"/nick New", TypedKind::kNick, "New", ""},
      {"/quit", TypedKind::kQuit, "", ""},
      {"/topic new words", TypedKind::kTopic, "", "new words"},
      {"/pin AB:CD", TypedKind::kPin, "", "AB:CD"},
  };
  for (const auto& c : cases) {
    const TypedCommand typed = ParseTyped(c.line);
    EXPECT_EQ(typed.kind, c.kind) << c.line;
    EXPECT_EQ(typed.target, c.target) << c.line;
    EXPECT_EQ(typed.text, c.text) << c.line;
  }
  for (const char* line : {"/", "/ x", "/raw PRIVMSG #a :x", "/me", "/msg bob", "/nick a b", "/pin"}) {
    EXPECT_EQ(ParseTyped(line).kind, TypedKind::kError) << line;
  }
}

}  // namespace
}  // namespace tavrin::irc
