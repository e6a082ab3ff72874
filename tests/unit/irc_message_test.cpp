#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "irc/irc_message.h"
#include "irc/line_reader.h"

namespace tavrin::irc {
namespace {

using Params = std::vector<std::string>;

struct ParseCase {
  std::string line;
  std::string source;
  std::string command;
  Params params;
};

TEST(IrcMessage, ParsesSourceCommandAndParams) {
  const std::vector<ParseCase> cases = {
      {":alice!a@host PRIVMSG #room :hello  there", "alice!a@host", "PRIVMSG",
       {"#room", "hello  there"}},
      {"PING :irc.test", "", "PING", {"irc.test"}},
      {"@time=x;id=1 :srv 001 me :Welcome", "srv", "001", {"me", "Welcome"}},
      {":srv privmsg  #a   b :", "srv", "PRIVMSG", {"#a", "b", ""}},
      {"JOIN #a ", "", "JOIN", {"#a"}},
      {"CMD 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", "", "CMD",
       {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14",
        "15 16"}},
  };
  for (const auto& c : cases) {
    const auto message = ParseMessage(c.line);
    ASSERT_TRUE(message) << c.line;
    EXPECT_EQ(message->source, c.source) << c.line;
    EXPECT_EQ(message->command, c.command) << c.line;
    EXPECT_EQ(message->params, c.params) << c.line;
  }
}

TEST(IrcMessage, RefusesWhatIsNoLine) {
  for (const std::string& line : std::vector<std::string>{"", " ", ":", ":src", ":src ", "@ PING", "@tags", "12 x", "1234 x", "PRI-VMSG x",
        ": PING", std::string("PING a\0b", 8), "PING a\rb"}) {
    EXPECT_FALSE(ParseMessage(line)) << line;
  }
}

TEST(IrcMessage, NickIsTheSourceUpToUserOrHost) {
  EXPECT_EQ(NickOf("bob!b@h"), "bob");
  EXPECT_EQ(NickOf("bob@h"), "bob");
  EXPECT_EQ(NickOf("irc.test.local"), "irc.test.local");
}

TEST(IrcMessage, FormatsTheLastParamAsTrailingOnlyWhenItMustBe) {
  EXPECT_EQ(FormatMessage("PRIVMSG", {"#a", "hi there"}), "PRIVMSG #a :hi there");
  EXPECT_EQ(FormatMessage("NICK", {"bob"}), "NICK bob");
  EXPECT_EQ(FormatMessage("PRIVMSG", {"#a", ":)"}), "PRIVMSG #a ::)");
  EXPECT_EQ(FormatMessage("PRIVMSG", {"#a", ""}), "PRIVMSG #a :");
}

TEST(IrcMessage, RefusesParamsThatWouldBreakTheLine) {
  const std::vector<Params> refused = {
      {"#a", "one\r\nQUIT"}, {"#a", "one\nQUIT"}, {"#a", std::string("x\0y", 3)},
      {"#a b", "text"}, {"", "text"}, {":#a", "text"}, {"#a", std::string(600, 'x')}};
  for (const auto& params : refused) {
    EXPECT_FALSE(FormatMessage("PRIVMSG", params)) << params[0] << "|" << params[1];
  }
  EXPECT_FALSE(FormatMessage("PRIV MSG", {"#a"}));
}

std::vector<std::string> Lines(LineReader& reader, const std::vector<std::string>& chunks) {
  std::vector<std::string> lines;
  for (const auto& chunk : chunks) {
    reader.Feed(chunk, [&](std::string_view line) { lines.emplace_back(line); });
  }
  return lines;
}

TEST(LineReader, JoinsLinesSplitAnywhereAndStripsTheCr) {
  LineReader reader;
  EXPECT_EQ(Lines(reader, {"PI", "NG :a\r", "\nPING :b\nPIN", "G :c\r\n"}),
            (std::vector<std::string>{"PING :a", "PING :b", "PING :c"}));
}

TEST(LineReader, DropsAnOverlongLineWholeAndKeepsTheNext) {
  LineReader reader(10);
  EXPECT_EQ(Lines(reader, {"0123456789\r\n", "0123456789A", "BCDEF", "xyz\r\nok\n"}),
            (std::vector<std::string>{"0123456789", "ok"}));
}

TEST(LineReader, ForgetsAnUnfinishedLineAtClose) {
  LineReader reader;
  Lines(reader, {"PRIVMSG #a :half"});
  reader.Reset();
  EXPECT_EQ(Lines(reader, {"PING :x\r\n"}), (std::vector<std::string>{"PING :x"}));
}

TEST(LineReader, PassesNulInsideALineOnForTheParserToRefuse) {
  LineReader reader;
  const auto lines = Lines(reader, {std::string("PING :a\0b\r\n", 11)});
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_FALSE(ParseMessage(lines[0]));
}

}  // namespace
}  // namespace tavrin::irc
