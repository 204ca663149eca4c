// File-name and fixed-width text rules.
#include <gtest/gtest.h>

#include "content/names.h"

TEST(FileNameOf, TakesTheTextAfterTheLastSeparatorOfEitherKind) {
  EXPECT_EQ(FileNameOf("C:\\Games\\Lvl\\one.sfl"), "one.sfl");
  EXPECT_EQ(FileNameOf("/opt/shardfall/Tls/Bricks.sft"), "Bricks.sft");
  EXPECT_EQ(FileNameOf("mixed/path\\last.bmp"), "last.bmp");
  EXPECT_EQ(FileNameOf("mixed\\path/last.bmp"), "last.bmp");
}

TEST(FileNameOf, IsEmptyForFolderPathsAndBareNames) {
  EXPECT_EQ(FileNameOf("C:\\Games\\"), "");
  EXPECT_EQ(FileNameOf("Lvl/"), "");
  EXPECT_EQ(FileNameOf("bare.sfl"), "");
  EXPECT_EQ(FileNameOf(""), "");
}

TEST(TrimTrailingSpaces, DropsOnlyTrailingSpaces) {
  EXPECT_EQ(TrimTrailingSpaces("DefaultTileSet.sft            "), "DefaultTileSet.sft");
  EXPECT_EQ(TrimTrailingSpaces("  lead and mid  dle "), "  lead and mid  dle");
  EXPECT_EQ(TrimTrailingSpaces("                              "), "");
  EXPECT_EQ(TrimTrailingSpaces(""), "");
}

TEST(IsPlainFileName, RefusesAnythingThatCouldLeaveTheFolder) {
  for (const char* good : {"a.sfl", "Default TileSet.sft", "x", "caf\xe9.bmp", ".hidden"}) EXPECT_TRUE(IsPlainFileName(good)) << good;
  for (const char* bad : {"", ".", "..", "../a.sfl", "a/b.sfl", "a\\b.sfl", "/abs.sfl", "up..sfl"})
    EXPECT_FALSE(IsPlainFileName(bad)) << bad;
  EXPECT_FALSE(IsPlainFileName(std::string_view("a\0b", 3)));
}

TEST(ReplaceLastThree, PairsBitmapsWithTilesetsAndSetsWithScores) {
  EXPECT_EQ(ReplaceLastThree("Bricks.bmp", "sft"), "Bricks.sft");
  EXPECT_EQ(ReplaceLastThree("Lvl/classic.sfs", "sfh"), "Lvl/classic.sfh");
  EXPECT_EQ(ReplaceLastThree("Odd.BMP", "sft"), "Odd.sft");
  EXPECT_EQ(ReplaceLastThree("ab", "sft"), "sft");
}
