#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tavrin::player
