#include <gtest/gtest.h>

#include <string>

#include "shell/tip_text.h"

namespace tavrin::shell {
namespace {

TEST(CutToCharacters, CountsCharactersNotBytes) {
  EXPECT_EQ(CutToCharacters("abc", 2), "ab");
  EXPECT_EQ(CutToCharacters("a\xC3\xA9z", 2), "a\xC3\xA9");
  EXPECT_EQ(CutToCharacters("a\xC3\xA9z", 1), "a");
  // Four bytes, one character.
  EXPECT_EQ(CutToCharacters("\xF0\x9F\x98\x80x", 1), "\xF0\x9F\x98\x80");
}

TEST(CutToCharacters, LimitZeroGivesNothingAndExactFitsStayWhole) {
  EXPECT_EQ(CutToCharacters("abc", 0), "");
  EXPECT_EQ(CutToCharacters("\xC3\xA9", 0), "");
  EXPECT_EQ(CutToCharacters("", 0), "");
  EXPECT_EQ(CutToCharacters("abc", 3), "abc");
  EXPECT_EQ(CutToCharacters("\xC3\xA9\xC3\xA9", 2), "\xC3\xA9\xC3\xA9");
  EXPECT_EQ(CutToCharacters("abc", 100), "abc");
}

// Lead bytes as in the Japanese double-byte code page: a trail byte may
// have any value from 0x40, so it can look like a lead byte.
const CharacterLength JapaneseLead = DoubleByteLength([](unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
});

const CharacterLength NoLead = DoubleByteLength([](unsigned char) {
  return false;
});

TEST(CutAnsi, NeverSplitsAPair) {
  const std::string text = "ab\x82\xA0";
  EXPECT_EQ(CutAnsi(text, 3, JapaneseLead), "ab");
  EXPECT_EQ(CutAnsi(text, 2, JapaneseLead), "ab");
  EXPECT_EQ(CutAnsi(text, 1, JapaneseLead), "a");
}

TEST(CutAnsi, ATrailByteThatLooksLikeALeadByteEndsItsPair) {
  // Pairs 81 81 and 81 81 after an "A": only walking from the start tells
  // the second 81 of each pair for a trail byte.
  const std::string text = "A\x81\x81\x81\x81" "B";
  EXPECT_EQ(CutAnsi(text, 3, JapaneseLead), "A\x81\x81");
  EXPECT_EQ(CutAnsi(text, 4, JapaneseLead), "A\x81\x81");
  EXPECT_EQ(CutAnsi(text, 5, JapaneseLead), "A\x81\x81\x81\x81");
  // Two katakana whose trail byte 81 is a lead byte's value.
  EXPECT_EQ(CutAnsi("\x83\x81\x83\x81", 3, JapaneseLead), "\x83\x81");
}

TEST(CutAnsi, LimitZeroGivesNothingAndExactFitsStayWhole) {
  EXPECT_EQ(CutAnsi("\x82\xA0", 0, JapaneseLead), "");
  EXPECT_EQ(CutAnsi("abc", 0, NoLead), "");
  EXPECT_EQ(CutAnsi("", 0, JapaneseLead), "");
  EXPECT_EQ(CutAnsi("ab\x82\xA0", 4, JapaneseLead), "ab\x82\xA0");
  EXPECT_EQ(CutAnsi("A\x81\x81\x81\x81" "B", 6, JapaneseLead),
            "A\x81\x81\x81\x81" "B");
  EXPECT_EQ(CutAnsi("ab\x82\xA0", 64, JapaneseLead), "ab\x82\xA0");
}

TEST(CutAnsi, ALeadByteWithNothingAfterItCountsAlone) {
  EXPECT_EQ(CutAnsi("ab\x82", 3, JapaneseLead), "ab\x82");
  EXPECT_EQ(CutAnsi("ab\x82", 2, JapaneseLead), "ab");
}

TEST(CutAnsi, InASingleByteCodePageCutsAtTheLimit) {
  EXPECT_EQ(CutAnsi("ab\x82\xA0z", 3, NoLead), "ab\x82");
}

TEST(CutAnsi, UnderTheUtf8CodePageNeverSplitsACharacter) {
  const std::string head(61, 'a');
  struct Case {
    std::string text;
    std::string kept;
  };
  const Case cases[] = {
      {head + "\xC3\xA9", head + "\xC3\xA9"},          // ends at 63
      {head + "b\xC3\xA9", head + "b"},                 // 2 bytes over
      {head + "\xE2\x82\xAC", head},                   // 3 bytes over
      {head + "\xF0\x9F\x98\x80", head},              // 4 bytes over
      {head + "\x80\x80\x80", head + "\x80\x80"},      // stray bytes alone
      {head + "\xE2\x82", head + "\xE2\x82"},           // cut short: fits
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CutAnsi(c.text, 63, Utf8CharacterLength), c.kept) << c.text;
  }
}

}  // namespace
}  // namespace tavrin::shell
