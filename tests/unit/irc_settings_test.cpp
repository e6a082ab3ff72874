#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "irc/client_settings.h"
#include "irc/nick.h"
#include "irc/typed_command.h"

namespace tavrin::irc {
namespace {

TEST(ClientSettings, TextKeepsEveryValue) {
  ClientSettings settings;
  settings.server = "irc.example.org";
  settings.port = 6697;
  settings.nick = "[Tav]-1";
  settings.serverPassword = "a=b c";
  settings.channels = {"#a", "&b"};
  const ClientSettings back = SettingsFromText(SettingsText(settings));
  EXPECT_EQ(back.server, settings.server);
  EXPECT_EQ(back.port, settings.port);
  EXPECT_EQ(back.nick, settings.nick);
  EXPECT_EQ(back.serverPassword, settings.serverPassword);
  EXPECT_EQ(back.channels, settings.channels);
}

TEST(ClientSettings, SkipsBrokenLinesAndWrongValues) {
  const ClientSettings settings =
      SettingsFromText("\xEF\xBB\xBFserver = irc.test\r\nport=70000\r\nnick=1bad\r\njunk\r\n"
                       "channels=a, #b c\r\n");
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
  };
  for (const auto& c : cases) {
    const TypedCommand typed = ParseTyped(c.line);
    EXPECT_EQ(typed.kind, c.kind) << c.line;
    EXPECT_EQ(typed.target, c.target) << c.line;
    EXPECT_EQ(typed.text, c.text) << c.line;
  }
  for (const char* line : {"/", "/ x", "/raw PRIVMSG #a :x", "/me", "/msg bob", "/nick a b"}) {
    EXPECT_EQ(ParseTyped(line).kind, TypedKind::kError) << line;
  }
}

}  // namespace
}  // namespace tavrin::irc
