// Bitmap-font widths and glyph placement.
#include <gtest/gtest.h>

#include "platform/display.h"
#include "platform/text.h"
#include "test_support.h"

namespace {

TEST(TextWidth, SumsGlyphWidthsWithOnePixelGaps) {
  EXPECT_EQ(TextWidth("A"), 22);
  EXPECT_EQ(TextWidth("AB"), 41);
  EXPECT_EQ(TextWidth("A B"), 56);
  EXPECT_EQ(TextWidth("Paused"), 111);
  EXPECT_EQ(TextWidth(""), -1);
}

TEST(TextWidth, ColonSemicolonAndQuoteTakeTheirStandIns) {
  EXPECT_EQ(TextWidth(":"), 9);
  EXPECT_EQ(TextWidth(";"), 9);
  EXPECT_EQ(TextWidth("\""), 13);   // two apostrophes and their gaps, less the last gap
  EXPECT_EQ(TextWidth("~"), 0);     // no glyph: one pixel, less the last gap
  EXPECT_EQ(TextWidth("\xE9"), 0);  // outside the table
}

TEST(TextWidth, ALineTooWideIsCutAtItsStart) {
  const std::string line = "/a/folder/" + std::string(60, 'x') + "/set.sfs: file not found";
  const std::string shown = TextEndThatFits(line, 600);
  EXPECT_LE(TextWidth(shown), 600);
  EXPECT_EQ(shown.substr(0, 3), "...");
  EXPECT_EQ(shown.substr(shown.size() - 24), "/set.sfs: file not found");
  EXPECT_EQ(TextEndThatFits("Paused", 600), "Paused");
}

TEST(TextWidth, ALabelTooWideKeepsItsStartAndEndsInAnEllipsis) {
  EXPECT_EQ(TextStartThatFits("Paused", 111), "Paused");
  EXPECT_EQ(TextStartThatFits("Paused", 110), "Paus...");
  EXPECT_EQ(TextStartThatFits("ab cdefgh", TextWidth("ab c...") - 1), "ab...");  // no space before the mark
}

// A font picture of solid colour: each glyph shows as a filled box, so coverage is easy to read.
class TextDrawing : public ::testing::Test {
 protected:
  TempRoot root;
  std::unique_ptr<Game> game = MakeHeadlessGame(root.path());
  void SetUp() override {
    WriteTestBitmap(root.path() / "Gfx" / "font1.bmp", 640, 100, [](int, int) { return 0xFFFFFFu; });
    game->platform.text.gameFontImage = LoadImage(game->platform, root.path() / "Gfx" / "font1.bmp");
  }
  bool Lit(int x, int y) const { return game->platform.display.backBuffer[y * ScreenWidth + x] != 0; }
  int LowestLitRow(int x) const {
    for (int y = ScreenHeight - 1; y >= 0; --y)
      if (Lit(x, y)) return y;
    return -1;
  }
};

TEST_F(TextDrawing, LowerCaseReachesFourRowsFurtherDownThanCapitals) {
  DrawText(game->platform, "a", 100, 100);
  DrawText(game->platform, "A", 200, 100);
  EXPECT_FALSE(Lit(100, 99));
  EXPECT_EQ(LowestLitRow(100), 132);
  EXPECT_EQ(LowestLitRow(200), 128);
}

TEST_F(TextDrawing, PenAdvancesByWidthPlusOneAndSpaceByFifteen) {
  DrawText(game->platform, "A B", 10, 10);
  EXPECT_TRUE(Lit(31, 10));
  EXPECT_FALSE(Lit(32, 10));  // the gap after A
  EXPECT_FALSE(Lit(47, 10));  // the space
  EXPECT_TRUE(Lit(48, 10));
  EXPECT_TRUE(Lit(65, 10));
  EXPECT_FALSE(Lit(66, 10));
}

TEST_F(TextDrawing, ColonIsTwoStopsTenRowsApart) {
  DrawText(game->platform, ":", 50, 100);
  EXPECT_TRUE(Lit(50, 90));
  EXPECT_TRUE(Lit(58, 128));
  EXPECT_FALSE(Lit(59, 100));
  EXPECT_FALSE(Lit(50, 89));
}

TEST_F(TextDrawing, PausedIsCentredFromColumn264) {
  DrawPausedText(game->platform);
  EXPECT_FALSE(Lit(263, 224));
  EXPECT_TRUE(Lit(264, 224));
  EXPECT_TRUE(Lit(374, 224));
  EXPECT_FALSE(Lit(375, 224));
}

}  // namespace
