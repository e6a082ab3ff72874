#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "irc/irc_text.h"

namespace tavrin::irc {
namespace {

TEST(IrcText, KeepsUtf8AndReadsAnythingElseAsWindows1252) {
  EXPECT_EQ(DecodedText("caf\xC3\xA9"), "caf\xC3\xA9");
  EXPECT_EQ(DecodedText("caf\xE9 \x80"), "caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(DecodedText("\x81"), "\xEF\xBF\xBD");
  EXPECT_EQ(DecodedText("\xC0\xAF"), "\xC3\x80\xC2\xAF") << "an overlong form is no UTF-8";
  EXPECT_EQ(DecodedText("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xE2\x82\xAC") << "nor a surrogate";
}

TEST(IrcText, ShowsNoFormattingControlsOrLineBreaks) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"\x02" "bold\x02 \x1Fu\x1F \x1Di\x1E\x11\x16\x0F", "bold u i"},
      {"\x03" "4red\x03 \x03" "04,12both\x03" "123", "red both3"},
      {"\x03,5comma", ",5comma"},
      {"\x04" "FF00aa,00FF00hex \x04" "12345x", "hex 12345x"},
      {"a\tb", "a b"},
      {"one\r\ntwo\x07\x7F", "onetwo"},
      {"x\xC2\x85y", "xy"},
      {"a\xE2\x80\xA8" "b\xE2\x80\xA9" "c", "abc"},
      {"\xE2\x80\xAE" "evil\xE2\x81\xA6" "x\xE2\x81\xA9", "evilx"},
      {"bob\x85:\tx", "bob\xE2\x80\xA6: x"},
  };
  for (const auto& [received, shown] : cases) EXPECT_EQ(ShownText(received), shown) << received;
}

TEST(IrcText, SplitNeverCutsACharacterAndAlwaysFits) {
  const std::string text =
      "\xE2\x82\xAC" "abc \xF0\x9F\x98\x80 de\xC3\xA9" "f ghij klmno pq \xE4\xB8\xAD\xE6\x96\x87 xyz";
  for (std::size_t budget = 4; budget <= text.size() + 1; ++budget) {
    std::string joined;
    for (const std::string& piece : SplitText(text, budget)) {
      EXPECT_LE(piece.size(), budget);
      EXPECT_FALSE(piece.empty());
      EXPECT_EQ(DecodedText(piece), piece) << "piece is whole UTF-8 at budget " << budget;
      joined += piece;
    }
    EXPECT_EQ(joined, text);
  }
}

TEST(IrcText, SplitPrefersABlankInTheLastQuarter) {
  EXPECT_EQ(SplitText("aaaaaa bbbbbbbb", 8), (std::vector<std::string>{"aaaaaa ", "bbbbbbbb"}));
  EXPECT_EQ(SplitText("aa bbbbbbbbbbbb", 8), (std::vector<std::string>{"aa bbbbb", "bbbbbbb"}));
}

}  // namespace
}  // namespace tavrin::irc
