#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "player/song_title.h"

namespace tavrin::player {
namespace {

TEST(CutSongName, OneAndTwoDigitPlaylistNumbersGiveTheSong) {
  EXPECT_EQ(CutSongName("7. Artist - Title - Winamp"), "Artist - Title");
  EXPECT_EQ(CutSongName("12. Artist - Title - Winamp"), "Artist - Title");
}

TEST(CutSongName, LongPlaylistNumbersAreCutWholeNotIntoTheName) {
  EXPECT_EQ(CutSongName("123. Artist - Title - Winamp"), "Artist - Title");
  EXPECT_EQ(CutSongName("10452. Artist - Title - Winamp"), "Artist - Title");
}

TEST(CutSongName, TitleWithoutPlaylistNumberKeepsTheWholeSong) {
  EXPECT_EQ(CutSongName("Artist - Title - Winamp"), "Artist - Title");
  // A point inside the song is not a playlist number.
  EXPECT_EQ(CutSongName("Mr. Blue - Sky. Live - Winamp"), "Mr. Blue - Sky. Live");
  EXPECT_EQ(CutSongName("7.Artist - Winamp"), "7.Artist");
}

TEST(CutSongName, OnlyTheFirstSuffixEndsTheSong) {
  EXPECT_EQ(CutSongName("3. A - Winamp Remix - Winamp"), "A");
}

TEST(CutSongName, TitleWithoutSuffixComesBackWholeLessOneTrailingBlank) {
  EXPECT_EQ(CutSongName("Winamp 5.0"), "Winamp 5.0");
  EXPECT_EQ(CutSongName("Paused song  "), "Paused song ");
  EXPECT_EQ(CutSongName(""), "");
  EXPECT_EQ(CutSongName(" "), "");
}

TEST(CutSongName, SongEndingInBlankLosesThatBlank) {
  EXPECT_EQ(CutSongName("4. Trailing   - Winamp"), "Trailing ");
  EXPECT_EQ(CutSongName(" - Winamp"), "");
}

bool ContinuesACharacter(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

TEST(CutSongName, EveryStepOfAScrollingTitleGivesTheSongOfTheTitle) {
  struct Case {
    std::string_view title;
    std::string_view song;
  };
  for (const Case& c : {
           Case{"3. Artist - Title - Winamp", "Artist - Title"},
           Case{"Artist - Title - Winamp", "Artist - Title"},
           Case{"12. Stars *** Above - Winamp", "Stars *** Above"},
           Case{"7. *** - Live - *** - Winamp", "*** - Live - ***"},
           Case{"4. A - Winamp Remix - Winamp", "A"},
           Case{"5. A - Winamp *** B - Winamp", "A"},
           Case{"6. Trailing   - Winamp", "Trailing "},
           Case{"8. Mr. Blue *** 9. Sky - Winamp", "Mr. Blue *** 9. Sky"},
           Case{"10. Café – Ünïcode - Winamp", "Café – Ünïcode"},
       }) {
    ASSERT_EQ(CutSongName(std::string(c.title)), c.song) << "not scrolling";
    // The player shows its turn twice or more, turned by whole characters.
    const std::string turn = std::string(c.title) + " *** ";
    for (std::size_t offset = 0; offset < turn.size(); ++offset) {
      if (ContinuesACharacter(turn[offset])) continue;
      const std::string shown = turn.substr(offset) + turn.substr(0, offset);
      EXPECT_EQ(CutSongName(shown + shown), c.song) << shown;
      EXPECT_EQ(CutSongName(shown + shown + shown), c.song) << shown;
    }
  }
}

TEST(CutSongName, TitleHoldingTheSeparatorButNoWholeTurnsIsNotScrolling) {
  // One turn alone, and a turn and most of another, are plain titles.
  EXPECT_EQ(CutSongName("Title - Winamp *** 3. Artist - "), "Title");
  EXPECT_EQ(CutSongName("Title - Winamp *** 3. Artist - "
                        "Title - Winamp *** 3. Artist"),
            "Title");
}

}  // namespace
}  // namespace tavrin::player
